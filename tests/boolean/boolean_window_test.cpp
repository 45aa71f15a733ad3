// BOOLEAN DEFINITION driven as a technician would, message boxes answered through the dialog
// interface and a status wait of a few milliseconds.

#include "app/status_line.h"
#include "boolean/boolean_window.h"
#include "support/recording_dialogs.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace muxcc;
using L = QList<int>;

namespace {

constexpr std::int16_t untouched = 777;
const QString saving = " Boolean Settings Saving, but not to file";

QString Input(int channel)
{
    return QString(" Boolean Error in MUX%1, MUX%1 SET AS INPUT").arg(channel);
}

QString Check(const QString& output)
{
    return " Boolean Error in " + output + ", Check Boolean";
}

// "k=text" for the texts listed, the others empty.
OneBased<std::string, OutputCount> Texts(const QStringList& texts)
{
    OneBased<std::string, OutputCount> equations;
    for (const QString& text : texts)
        equations[text.section('=', 0, 0).toInt()] = text.section('=', 1).toStdString();
    return equations;
}

// Each message box's text, and the status line while it was shown.
struct Dialogs : test::RecordingDialogs {
    explicit Dialogs(const StatusLine& status) : status(status) {}
    void showNotice(const Notice& notice) override
    {
        const bool box = notice.icon == Notice::Icon::Exclamation && notice.title == "Boolean Error";
        texts << (box ? "" : "wrong box:") + QString::fromStdString(notice.text);
        statusDuring << status.text();
    }
    const StatusLine& status;
    QStringList texts, statusDuring;
};

// Stored texts "text k", working copy "edit k", MUX3 an input.
struct Bench {
    Configuration config;
    StatusLine status;
    Dialogs dialogs{status};
    QPointer<BooleanWindow> window = new BooleanWindow(config, dialogs, status);

    Bench()
    {
        status.setStatusWait(std::chrono::milliseconds(20));
        config.BooleanCode.fill(untouched);
        setInputs({3});
        for (int k = 1; k <= OutputCount; ++k)
            config.BooleanText[k] = "text " + std::to_string(k),
            config.BooleanEditText[k] = "edit " + std::to_string(k);
    }
    ~Bench() { delete window; }

    void setInputs(const L& inputs)
    {
        for (int k = 1; k <= ChannelCount; ++k)
            config.ChannelDirection[k] = inputs.contains(k) ? 0 : 1;
    }
    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
    QLineEdit* box(int i) const { return child<QLineEdit>(QString("equation%1").arg(i)); }
    QStringList boxes() const
    {
        QStringList texts;
        for (int i = 1; i <= BooleanWindow::BoxCount; ++i)
            texts << box(i)->text();
        return texts;
    }
    static QStringList List(const OneBased<std::string, OutputCount>& texts, int page = 0)
    {
        QStringList list;
        for (int k = page ? 21 * page - 20 : 1; k <= (page ? 21 * page : OutputCount); ++k)
            list << QString::fromStdString(texts[k]);
        return list;
    }
    // Boxes with the button-face colour; a box of neither colour counts negative.
    L grey() const
    {
        L boxes;
        for (int i = 1; i <= BooleanWindow::BoxCount; ++i) {
            const QColor base = box(i)->palette().color(QPalette::Base);
            if (base != window->palette().color(QPalette::Base))
                boxes << (base == window->palette().color(QPalette::Button) ? i : -i);
        }
        return boxes;
    }
    QString check() const { return child<QLabel>("equationCheck")->text(); }
    void type(int i, const QString& text)
    {
        box(i)->selectAll();
        QTest::keyClick(box(i), Qt::Key_Delete);
        QTest::keyClicks(box(i), text);
    }
    void save() { child<QAction>("mnusavebooleanform5")->trigger(); }
    void click(const QString& button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void turn(int times = 1)
    {
        while (times-- > 0)
            click("moreBooleans");
    }
    void toPage(int page)
    {
        if (child<QLabel>("equationLabel1")->text() != (page == 1 ? "MUX1 =" : "FET6 ="))
            turn();
    }
    void select(const QString& name, int row)
    {
        auto* list = child<QListWidget>(name);
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
};

} // namespace

class BooleanWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QPalette().color(QPalette::Button) != QPalette().color(QPalette::Base)); }

    // Opened again after channel changes, `turns` page turns and list clicks: the stored texts, not
    // the working copy, and the colours of the channels now.
    void shouldOpenShowingTheStoredTexts_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<L>("inputs");
        QTest::addColumn<L>("grey"); // and emptied
        QTest::addColumn<QString>("names");
        QTest::newRow("first page") << 0 << L{1, 16} << L{1, 16} << "MUX1 MUX2 MUX16 FET1 FET5";
        QTest::newRow("first page, all outputs") << 0 << L{} << L{} << "MUX1 MUX2 MUX16 FET1 FET5";
        QTest::newRow("second page") << 1 << L{1, 16} << L{} << "FET6 FET7 BUZZER TRIG1 TRIG5";
        QTest::newRow("first page again") << 2 << L{1, 2} << L{1, 2} << "MUX1 MUX2 MUX16 FET1 FET5";
    }
    void shouldOpenShowingTheStoredTexts()
    {
        QFETCH(int, turns);
        QFETCH(L, inputs);
        QFETCH(L, grey);
        QFETCH(QString, names);
        Bench bench;
        bench.window->open();
        bench.setInputs(inputs);
        bench.turn(turns);
        bench.select("operandList", 4);
        bench.select("commandList", 2);
        const auto workingCopy = bench.config.BooleanEditText;

        bench.window->open();
        QCOMPARE(bench.window->windowTitle(), "BOOLEAN DEFINITION");
        QCOMPARE(bench.child<QAction>("mnusavebooleanform5")->text(), "&Save Boolean Settings");
        QCOMPARE(bench.child<QListWidget>("operandList")->currentRow() +
                     bench.child<QListWidget>("commandList")->currentRow(),
                 0);
        QStringList expected = Bench::List(bench.config.BooleanText, turns % 2 + 1);
        for (int i : grey)
            expected[i - 1].clear();
        QCOMPARE(bench.boxes(), expected);
        QCOMPARE(bench.grey(), grey);
        QCOMPARE(Bench::List(bench.config.BooleanEditText), Bench::List(workingCopy));
        // Boxes 1, 2, 16, 17 and 21: the label, its buddy, and what a screen reader speaks.
        const QStringList outputs = names.split(' ');
        for (int n = 0; n < outputs.size(); ++n) {
            const int i = L{1, 2, 16, 17, 21}[n];
            const auto* label = bench.child<QLabel>(QString("equationLabel%1").arg(i));
            QCOMPARE(label->text() + (label->buddy() == bench.box(i) ? "" : " (no buddy)"),
                     outputs[n] + " =");
            QCOMPARE(QAccessible::queryAccessibleInterface(bench.box(i))->text(QAccessible::Name),
                     outputs[n]);
        }
    }

    // "p:i=text" typed into box i of page p in this order, turning pages as needed, then Save on
    // page `page`. Input channels' boxes are not emptied by turning, only reported by Save.
    void shouldSaveReportingEachInputChannel_data()
    {
        QTest::addColumn<L>("inputs");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("saved"); // "k=text"; the others empty
        const auto row = [](const char* name, const L& inputs, const QStringList& typed, int page,
                            const QStringList& messages, const QStringList& saved) {
            QTest::newRow(name) << inputs << typed << page << messages << saved;
        };
        row("input channels in order", {3, 16}, {"1:16=MUX2", "1:3=MUX1", "1:5=MUX3"}, 1,
            {Input(3), Input(16)}, {"5=MUX3"});
        row("first and last channel", {1, 16}, {"1:1=V1", "1:16=V2", "1:17=V3"}, 1, {Input(1), Input(16)},
            {"3=MUX2", "17=V3"});
        row("typed across pages, saved on the first", {3}, {"1:3=V1", "1:21=V2", "2:1=V3", "2:21=V4"}, 1,
            {Input(3)}, {"21=V2", "22=V3", "42=V4"});
        row("saved on the second page from the working copy", {3}, {"1:3=V1", "1:17=V2", "2:19=V3"}, 2,
            {Input(3)}, {"17=V2", "40=V3"});
        row("stored equation of an input goes silently", {3}, {"1:4=V1"}, 1, {}, {"4=V1"});
        row("every channel an output", {}, {"1:3=MUX1", "1:16=MUX2"}, 1, {}, {"3=MUX1", "16=MUX2"});
    }
    void shouldSaveReportingEachInputChannel()
    {
        QFETCH(L, inputs);
        QFETCH(QStringList, typed);
        QFETCH(int, page);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, saved);
        Bench bench;
        bench.setInputs(inputs);
        bench.config.BooleanText = bench.config.BooleanEditText = Texts({"3=MUX2"});
        bench.window->open();
        for (const QString& item : typed) {
            bench.toPage(item.section(':', 0, 0).toInt());
            bench.type(item.section(':', 1).section('=', 0, 0).toInt(), item.section('=', 1));
        }
        bench.toPage(page);
        QCOMPARE(bench.grey(), page == 1 ? L(inputs) : L{});

        bench.save();
        QCOMPARE(bench.dialogs.texts, messages);
        QCOMPARE(bench.dialogs.statusDuring, QStringList(messages.size(), saving));
        QCOMPARE(bench.status.text(), " Boolean Settings Saved, but not to file");
        QCOMPARE(Bench::List(bench.config.BooleanText), Bench::List(Texts(saved)));
        QCOMPARE(Bench::List(bench.config.BooleanEditText), Bench::List(Texts(saved)));
        QCOMPARE(bench.boxes(), Bench::List(Texts(saved), page));
        QTRY_COMPARE(bench.status.text(), "");
        QCOMPARE(bench.config.BooleanCode[0], untouched);
    }

    // Box 7 holds "SLP "; after clicks in the lists it is double-clicked twice.
    void shouldAppendTheSelectedEntries_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<int>("operand");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("text");
        QTest::newRow("operand only") << 0 << 1 << 0 << "SLP MUX1 MUX1 ";
        QTest::newRow("nothing selected") << 0 << 0 << 0 << "SLP ";
        QTest::newRow("command only") << 0 << 0 << 1 << "SLP AND AND ";
        QTest::newRow("operand then command") << 0 << 1 << 1 << "SLP MUX1 AND MUX1 AND ";
        QTest::newRow("last entries") << 0 << 65 << 5 << "SLP OPTION4 ) OPTION4 ) ";
        QTest::newRow("second page") << 1 << 37 << 3 << "SLP TMR1 NOT TMR1 NOT ";
    }
    void shouldAppendTheSelectedEntries()
    {
        QFETCH(int, turns);
        QFETCH(int, operand);
        QFETCH(int, command);
        QFETCH(QString, text);
        Bench bench;
        bench.window->open();
        bench.turn(turns);
        bench.type(7, "SLP ");
        bench.select("operandList", operand);
        bench.select("commandList", command);
        QStringList boxes = bench.boxes();

        QTest::mouseDClick(bench.box(7), Qt::LeftButton);
        QTest::mouseDClick(bench.box(7), Qt::LeftButton);
        boxes[6] = text;
        QCOMPARE(bench.boxes(), boxes);
    }

    // "V1" goes into box 4, then the row's text into its box: the check names that box, changes
    // nothing, and Compile, after Save and its wait, agrees with it.
    void shouldCheckTheEditedBoxAsCompileWould_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("usage");
        QTest::addColumn<QStringList>("messages"); // of Compile
        const auto row = [](const char* name, int turns, int box, const QString& typed, const char* check,
                            const char* usage, const QStringList& messages) {
            QTest::newRow(name) << turns << box << typed << QString(check) << QString(usage) << messages;
        };
        const char* oneFails = "Code entries: 84 of 512 (1 equation does not compile)";
        row("compiles", 0, 1, "MUX1 AND ( V1 )", "MUX1: compiles, 4 code pairs", "Code entries: 92 of 512",
            {});
        row("unknown name", 0, 2, "MUX1 OR MUX17", "MUX2: \"MUX17\" is not an operand name or command",
            oneFails, {Check("MUX2")});
        row("one key", 0, 21, "(", "FET5: cannot end with \"(\"", oneFails, {Check("FET5")});
        row("second page", 1, 1, "V1  OR V2", "FET6: two spaces in a row after \"V1\"", oneFails,
            {Check("FET6")});
        row("input channel", 0, 3, "MUX1", "MUX3: set as an input, so Save empties this equation",
            "Code entries: 86 of 512", {Input(3)});
        row("too long", 0, 1, QStringList(215, "MUX1").join(" OR "), "MUX1: compiles, 215 code pairs",
            "Code entries: more than 512, too long to compile",
            {" TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS"});
    }
    void shouldCheckTheEditedBoxAsCompileWould()
    {
        QFETCH(int, turns);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, check);
        QFETCH(QString, usage);
        QFETCH(QStringList, messages);
        Bench bench;
        bench.config.BooleanText = bench.config.BooleanEditText = Texts({});
        bench.window->open();
        bench.turn(turns);
        bench.status.showMessage("before");
        bench.type(4, "V1");
        bench.type(box, typed);

        QCOMPARE(bench.check(), check);
        QCOMPARE(bench.child<QLabel>("codeUsage")->text(), usage);
        QCOMPARE(Bench::List(bench.config.BooleanText), Bench::List(Texts({})));
        QCOMPARE(bench.status.text() + bench.dialogs.texts.join(""), "before");
        bench.click("compileBooleans");
        QCOMPARE(bench.config.BooleanCode[0], untouched);
        QTRY_COMPARE(bench.status.text(), "");
        QCOMPARE(bench.dialogs.texts, messages);
        QCOMPARE(bench.config.BooleanCode[0], 0);
    }

    // The wait clears only its own text, and the window keeps working during it.
    void shouldLeaveTheStatusLineToWhatCameDuringTheWait_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("finally");
        const auto row = [](const char* name, const char* button, const char* meanwhile,
                            const char* finally) {
            QTest::newRow(name) << QString(button) << QString(meanwhile) << QString(finally);
        };
        const char* programmed = "Unit has been programmed";
        row("nothing", "save", "", "");
        row("a transfer's result", "save", programmed, programmed);
        row("compile, then a transfer's result", "compile", programmed, programmed);
        row("a second save", "save", "save", "");
        row("a page turn and typing", "save", "turn", "");
    }
    void shouldLeaveTheStatusLineToWhatCameDuringTheWait()
    {
        QFETCH(QString, button);
        QFETCH(QString, meanwhile);
        QFETCH(QString, finally);
        Bench bench;
        bench.config.BooleanText = Texts({"1=MUX2"});
        bench.window->open();
        button == "save" ? bench.save() : bench.click("compileBooleans");
        if (meanwhile == "save")
            bench.save();
        else if (meanwhile == "turn")
            bench.turn(), bench.type(1, "V1");
        else if (!meanwhile.isEmpty())
            bench.status.showMessage(meanwhile);

        QTest::qWait(100);
        QCOMPARE(bench.status.text(), finally);
        QCOMPARE(bench.box(1)->text(), meanwhile == "turn" ? "V1" : "MUX2");
        QCOMPARE(bench.config.BooleanCode[1], button == "compile" ? 2 : untouched);
    }

    // Closed or destroyed during Compile's wait: the compile still runs on what the save stored.
    void shouldCompileAfterTheWaitEvenIfTheWindowIsGone_data()
    {
        QTest::addColumn<bool>("destroyed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("closed") << false << "NOT MUX2" << QStringList{};
        QTest::newRow("closed, with an error") << false << "MUX2 MUX3" << QStringList{Check("MUX1")};
        QTest::newRow("destroyed") << true << "NOT MUX2" << QStringList{};
    }
    void shouldCompileAfterTheWaitEvenIfTheWindowIsGone()
    {
        QFETCH(bool, destroyed);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        Bench bench;
        bench.setInputs({});
        bench.config.BooleanText = bench.config.BooleanEditText = Texts({});
        bench.window->open();
        bench.type(1, typed);
        bench.click("compileBooleans");
        destroyed ? delete bench.window : void(bench.window->close());
        QTRY_VERIFY(bench.window.isNull());

        QTRY_COMPARE(bench.status.text(), "");
        QCOMPARE(bench.dialogs.texts, messages);
        QCOMPARE(bench.config.BooleanCode[1], messages.isEmpty() ? 130 : 2);
    }

    // After the channel window's save (MUX3 now an output, MUX5 an input) and after OPEN (texts
    // "file k"): only the first page is recoloured; OPEN refills the page shown, input channels too.
    void shouldFollowChangesMadeElsewhere_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<bool>("fileOpened");
        QTest::addColumn<L>("grey");
        QTest::addColumn<QString>("boxes"); // 3 and 5
        QTest::newRow("channels, first page") << 0 << false << L{5} << "|V2";
        QTest::newRow("channels, second page") << 1 << false << L{} << "edit 24|V2";
        QTest::newRow("file, first page") << 0 << true << L{3} << "file 3|file 5";
        QTest::newRow("file, second page") << 1 << true << L{} << "file 24|file 26";
    }
    void shouldFollowChangesMadeElsewhere()
    {
        QFETCH(int, turns);
        QFETCH(bool, fileOpened);
        QFETCH(L, grey);
        QFETCH(QString, boxes);
        Bench bench;
        bench.window->open();
        bench.turn(turns);
        bench.type(5, "V2");
        bench.select("operandList", 4);
        if (fileOpened) {
            for (int k = 1; k <= OutputCount; ++k)
                bench.config.BooleanText[k] = "file " + std::to_string(k);
            bench.window->showConfigurationTexts();
        } else {
            bench.setInputs({5});
            bench.window->recolourInputChannels();
        }
        QCOMPARE(bench.grey(), grey);
        QCOMPARE(bench.box(3)->text() + "|" + bench.box(5)->text(), boxes);
        QCOMPARE(bench.child<QListWidget>("operandList")->currentRow(), 4);
        QCOMPARE(bench.check().startsWith("MUX5: set as an input"), !fileOpened && turns == 0);
    }

    // Tab goes row by row through the boxes, then the lists and buttons, each with its spoken name;
    // a box reached so is the one the check describes.
    void shouldReachEveryControlByTab_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* from, const char* to, const char* name) {
            QTest::newRow(from) << QString(from) << QString(to) << QString(name);
        };
        row("equation1", "equation2", "MUX2");
        row("equation20", "equation21", "FET5");
        row("equation21", "operandList", "BOOLEAN OPERANDS");
        row("commandList", "moreBooleans", "MORE BOOLEANS");
        row("moreBooleans", "compileBooleans", "Compile Booleans");
        row("compileBooleans", "equation1", "MUX1");
    }
    void shouldReachEveryControlByTab()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, name);
        Bench bench;
        bench.window->open();
        QApplication::setActiveWindow(bench.window);
        QVERIFY(QTest::qWaitForWindowActive(bench.window));
        bench.child(from)->setFocus();

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Name),
                 name);
        if (to.startsWith("equation"))
            QCOMPARE(bench.check().section(':', 0, 0), name);
    }

    // The project file quotes every equation, so a box takes no quote.
    void shouldRefuseADoubleQuote()
    {
        Bench bench;
        bench.window->open();
        bench.type(21, "MUX1 \"AND\" MUX2");
        QCOMPARE(bench.box(21)->text(), "MUX1 AND MUX2");
    }
};

QTEST_MAIN(BooleanWindowTest)
#include "boolean_window_test.moc"

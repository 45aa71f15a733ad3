// BOOLEAN DEFINITION driven as a technician would, message boxes answered through the dialog
// interface and a status wait of a few milliseconds.

#include "app/status_line.h"
#include "boolean/boolean_window.h"
#include "support/recording_dialogs.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <map>

using namespace muxcc;

namespace {

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

QString SpokenName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// "k=text" for each text that is not empty.
QString NonEmpty(const OneBased<std::string, OutputCount>& texts)
{
    QStringList shown;
    for (int k = 1; k <= OutputCount; ++k) {
        if (!texts[k].empty())
            shown << QString::number(k) + "=" + QString::fromStdString(texts[k]);
    }
    return shown.join(", ");
}

// The window on an empty configuration with every channel an output; code entries read 777
// until a compile writes them.
struct Bench {
    Configuration config;
    StatusLine status;
    Dialogs dialogs{status};
    QPointer<BooleanWindow> window = new BooleanWindow(config, dialogs, status);

    Bench()
    {
        status.setStatusWait(std::chrono::milliseconds(20));
        config.BooleanCode.fill(777);
        run("inputs");
    }
    ~Bench() { delete window; }

    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
    QLineEdit* box(int i) const { return child<QLineEdit>(QString("equation%1").arg(i)); }
    QListWidget* list(const QString& name) const { return child<QListWidget>(name + "List"); }

    // One step of a row: what the user does, or what another part of the program changes.
    void run(const QString& step)
    {
        const QString verb = step.section(' ', 0, 0), rest = step.section(' ', 1);
        const int n = rest.section(' ', 0, 0).section('=', 0, 0).toInt();
        if (verb == "inputs") {
            for (int k = 1; k <= ChannelCount; ++k)
                config.ChannelDirection[k] = rest.split(' ').contains(QString::number(k)) ? 0 : 1;
        } else if (verb == "operand" || verb == "command") {
            list(verb)->scrollToItem(list(verb)->item(n));
            const QPoint at = list(verb)->visualItemRect(list(verb)->item(n)).center();
            QTest::mouseClick(list(verb)->viewport(), Qt::LeftButton, {}, at);
        } else if (verb == "focus") {
            QApplication::setActiveWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            child(rest)->setFocus();
        } else {
            const std::map<QString, std::function<void()>> simple{
                {"stored", [&] { config.BooleanText[n] = rest.section('=', 1).toStdString(); }},
                {"edit", [&] { config.BooleanEditText[n] = rest.section('=', 1).toStdString(); }},
                {"open", [&] { window->open(); }},
                {"type", [&] { QTest::keyClicks(box(n), rest.section(' ', 1)); }}, // at the end of the text
                {"turn", [&] { QTest::mouseClick(child<QPushButton>("moreBooleans"), Qt::LeftButton); }},
                {"compile",
                 [&] { QTest::mouseClick(child<QPushButton>("compileBooleans"), Qt::LeftButton); }},
                {"save", [&] { child<QAction>("mnusavebooleanform5")->trigger(); }},
                {"dclick", [&] { QTest::mouseDClick(box(n), Qt::LeftButton); }},
                {"tab", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }},
                {"recolour", [&] { window->recolourInputChannels(); }},         // the channel window saved
                {"file", [&] { window->showConfigurationTexts(); }},            // OPEN read a project file
                {"copy", [&] { config.BooleanEditText = config.BooleanText; }}, // OPEN's working copy
                {"status", [&] { status.showMessage(rest); }},                  // a transfer's result
                {"wait", [] { QTest::qWait(250); }},
                {"close", [&] { window->close(); }},
                {"destroy", [&] { delete window; }}};
            QVERIFY2(simple.contains(verb), qPrintable(step));
            simple.at(verb)();
        }
    }

    QString aspect(const QString& key) const
    {
        QStringList shown;
        if (key == "boxes" || key == "grey" || key == "labels") {
            for (int i = 1; i <= BooleanWindow::BoxCount; ++i) {
                const QColor base = box(i)->palette().color(QPalette::Base);
                const auto* label = child<QLabel>(QString("equationLabel%1").arg(i));
                if (key == "boxes" && !box(i)->text().isEmpty())
                    shown << QString::number(i) + "=" + box(i)->text();
                else if (key == "grey" && base != window->palette().color(QPalette::Base))
                    shown << QString::number(base == window->palette().color(QPalette::Button) ? i : -i);
                else if (key == "labels" && QList<int>{1, 2, 16, 17, 21}.contains(i))
                    shown << label->text() + (label->buddy() == box(i) ? "" : " (no buddy)") +
                                 (label->text() == SpokenName(box(i)) + " =" ? "" : " (spoken otherwise)");
            }
            return shown.join(key == "boxes" ? ", " : " ");
        }
        for (int entry = 0; entry < 4 && key == "code"; ++entry)
            shown << QString::number(config.BooleanCode[entry]);
        const auto selected = [&](const char* name) { return QString::number(list(name)->currentRow()); };
        QWidget* focus = QApplication::focusWidget();
        const std::map<QString, std::function<QString()>> simple{
            {"caption",
             [&] { return window->windowTitle() + " / " + child<QAction>("mnusavebooleanform5")->text(); }},
            {"lists", [&] { return selected("operand") + " " + selected("command"); }},
            {"focus", [&] { return focus->objectName() + " " + SpokenName(focus); }},
            {"check", [&] { return child<QLabel>("equationCheck")->text(); }},
            {"usage", [&] { return child<QLabel>("codeUsage")->text(); }},
            {"stored", [&] { return NonEmpty(config.BooleanText); }},
            {"edit", [&] { return NonEmpty(config.BooleanEditText); }},
            {"messages", [&] { return dialogs.texts.join(" / "); }},
            {"during", [&] { return dialogs.statusDuring.join(" / "); }},
            {"status", [&] { return status.text(); }},
            {"window", [&] { return QString(window ? "open" : "gone"); }},
            {"code", [&] { return shown.join(' '); }}};
        return simple.contains(key) ? simple.at(key)() : "no such aspect";
    }
};

} // namespace

class BooleanWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Steps apart by "; "; the outline names the aspects to show after the steps, "||" apart for
    // each "then" among them. An aspect with nothing to show reads "none".
    void shouldDoWhatTheUserAsks_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("outline");
        const QString tooLong = QStringList(215, "MUX1").join(" OR ");
        // clang-format off
        QTest::newRow("open: stored texts, inputs grey and empty") << "inputs 1 16; stored 1=A; stored 2=B; stored 16=C; stored 17=D; edit 2=X; open; operand 4; command 2; type 2 Y; open" << "caption: BOOLEAN DEFINITION / &Save Boolean Settings | lists: 0 0 | grey: 1 16 | boxes: 2=B, 17=D | edit: 2=X | labels: MUX1 = MUX2 = MUX16 = FET1 = FET5 =";
        QTest::newRow("open on the second page") << "inputs 1 16; stored 1=A; stored 22=E; stored 42=F; open; turn; open" << "grey: none | boxes: 1=E, 21=F | labels: FET6 = FET7 = BUZZER = TRIG1 = TRIG5 =";
        QTest::newRow("two turns give every text back") << "inputs 3; stored 1=A; stored 3=C; edit 22=B; open; turn; turn" << "grey: 3 | boxes: 1=A | edit: 1=A, 22=B | stored: 1=A, 3=C";
        QTest::newRow("save reports input channels in order, first and last, then the wait clears") << "inputs 1 16; stored 1=MUX2; edit 1=MUX2; open; type 16 MUX2; type 1 MUX1; type 17 MUX3; save; then; wait" << "messages:  Boolean Error in MUX1, MUX1 SET AS INPUT /  Boolean Error in MUX16, MUX16 SET AS INPUT | during:  Boolean Settings Saving, but not to file /  Boolean Settings Saving, but not to file | status:  Boolean Settings Saved, but not to file | stored: 17=MUX3 | edit: 17=MUX3 | boxes: 17=MUX3 || status: none | code: 777 777 777 777";
        QTest::newRow("save on the first page of texts typed on both") << "inputs 3; open; type 3 V1; type 21 V2; turn; type 1 V3; type 21 V4; turn; save" << "grey: 3 | messages:  Boolean Error in MUX3, MUX3 SET AS INPUT | stored: 21=V2, 22=V3, 42=V4 | boxes: 21=V2";
        QTest::newRow("save on the second page, first from the working copy") << "inputs 3; edit 24=W; open; type 3 V1; type 17 V2; turn; type 19 V3; save" << "grey: none | messages:  Boolean Error in MUX3, MUX3 SET AS INPUT | stored: 17=V2, 24=W, 40=V3 | edit: 17=V2, 24=W, 40=V3 | boxes: 3=W, 19=V3";
        QTest::newRow("save drops an input's stored equation silently") << "inputs 3; stored 3=MUX2; edit 3=MUX2; open; type 4 V1; save" << "grey: 3 | messages: none | stored: 4=V1";
        QTest::newRow("append nothing, an operand, a command, both") << "open; type 4 A ; type 5 B ; type 6 C ; type 7 D ; operand 0; command 0; dclick 4; operand 1; dclick 5; operand 0; command 1; dclick 6; operand 1; dclick 7; dclick 7" << "boxes: 4=A , 5=B MUX1 , 6=C AND , 7=D MUX1 AND MUX1 AND ";
        QTest::newRow("append the last entries on the second page") << "open; turn; type 7 SLP ; operand 65; command 5; dclick 7; dclick 7" << "boxes: 7=SLP OPTION4 ) OPTION4 ) ";
        QTest::newRow("check of a compiling box, compile after the wait") << "open; status before; type 4 V1; type 1 MUX1 AND ( V1 ); then; compile; then; wait" << "check: MUX1: compiles, 4 code pairs | usage: Code entries: 92 of 512 | stored: none | status: before | messages: none || code: 777 777 777 777 || messages: none | code: 0 1 1 0 | status: none";
        QTest::newRow("check of an unknown name") << "open; type 4 V1; type 2 MUX1 OR MUX17; then; compile; wait" << "check: MUX2: \"MUX17\" is not an operand name or command | usage: Code entries: 84 of 512 (1 equation does not compile) || messages:  Boolean Error in MUX2, Check Boolean";
        QTest::newRow("check of one key in the last box") << "open; type 21 (; then; compile; wait" << "check: FET5: cannot end with \"(\" | usage: Code entries: 84 of 512 (1 equation does not compile) || messages:  Boolean Error in FET5, Check Boolean";
        QTest::newRow("check on the second page") << "open; turn; type 1 V1  OR V2; then; compile; wait" << "check: FET6: two spaces in a row after \"V1\" | usage: Code entries: 84 of 512 (1 equation does not compile) || messages:  Boolean Error in FET6, Check Boolean";
        QTest::newRow("check of an input channel") << "inputs 3; open; type 3 MUX1; then; compile; wait" << "check: MUX3: set as an input, so Save empties this equation | usage: Code entries: 86 of 512 || messages:  Boolean Error in MUX3, MUX3 SET AS INPUT | code: 0 0 0 0";
        QTest::newRow("check of a text too long for the area") << "open; type 1 " + tooLong + "; then; compile; wait" << "check: MUX1: compiles, 215 code pairs | usage: Code entries: more than 512, too long to compile || messages:  TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS";
        QTest::newRow("compile right after a file is opened") << "inputs 3; stored 1=MUX2; stored 3=MUX1; stored 22=V1; copy; open; compile; wait" << "messages: none | stored: 1=MUX2, 22=V1 | code: 0 2 0 0";
        QTest::newRow("a transfer's result outlasts Save's and Compile's wait") << "stored 1=MUX2; open; save; compile; status Unit has been programmed; wait" << "status: Unit has been programmed | code: 0 2 0 0";
        QTest::newRow("a second save, a page turn and typing during the wait") << "stored 1=MUX2; open; save; save; turn; type 1 V1; wait" << "status: none | boxes: 1=V1";
        QTest::newRow("closed during Compile's wait, with an error") << "open; type 1 MUX2 MUX3; compile; close; wait" << "window: gone | messages:  Boolean Error in MUX1, Check Boolean | code: 0 2 777 777";
        QTest::newRow("destroyed during Compile's wait") << "open; type 1 NOT MUX2; compile; destroy; wait" << "window: gone | messages: none | code: 0 130 0 0";
        QTest::newRow("channels saved, then a file opened, first page") << "open; type 5 V2; operand 4; inputs 5; recolour; then; stored 3=F3; stored 5=F5; file" << "grey: 5 | boxes: 5=V2 | lists: 4 0 | check: MUX5: set as an input, so Save empties this equation || grey: 5 | boxes: 3=F3, 5=F5 | lists: 4 0";
        QTest::newRow("channels saved, then a file opened, second page") << "edit 24=E; open; turn; type 5 V2; inputs 5; recolour; then; stored 24=F24; stored 26=F26; file" << "grey: none | boxes: 3=E, 5=V2 | check: FET10: compiles, 1 code pair || grey: none | boxes: 3=F24, 5=F26";
        QTest::newRow("tab row by row, then lists and buttons, back to the first box") << "open; focus equation1; tab; then; focus equation21; tab; then; focus commandList; tab; then; focus moreBooleans; tab; then; focus compileBooleans; tab" << "focus: equation2 MUX2 | check: MUX2: compiles, 1 code pair || focus: operandList BOOLEAN OPERANDS || focus: moreBooleans MORE BOOLEANS || focus: compileBooleans Compile Booleans || focus: equation1 MUX1 | check: MUX1: compiles, 1 code pair";
        QTest::newRow("a double quote is refused") << "open; type 21 MUX1 \"AND\" MUX2" << "boxes: 21=MUX1 AND MUX2";
        // clang-format on
    }
    void shouldDoWhatTheUserAsks()
    {
        QFETCH(QString, steps);
        QFETCH(QString, outline);
        Bench bench;
        const QStringList phases = outline.split(" || ");
        QStringList shown;
        const auto show = [&] {
            QStringList aspects;
            for (const QString& expected : phases.value(shown.size()).split(" | ")) {
                const QString key = expected.section(':', 0, 0), value = bench.aspect(key);
                aspects << key + ": " + (value.isEmpty() ? "none" : value);
            }
            shown << aspects.join(" | ");
        };
        for (const QString& step : steps.split("; "))
            step == "then" ? show() : bench.run(step);
        show();
        QCOMPARE(shown.join(" || "), outline);
    }
};

QTEST_MAIN(BooleanWindowTest)
#include "boolean_window_test.moc"

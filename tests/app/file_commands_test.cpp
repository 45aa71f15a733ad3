#include "app/main_window.h"
#include "app/status_line.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using muxcc::Configuration;
using muxcc::Notice;

namespace {

struct Program {
    Configuration config;
    muxcc::test::RecordingDialogs dialogs;
    muxcc::link::SerialPortChannel channel{QStringLiteral("/nonexistent/ttyS0")};
    muxcc::link::SerialPortWaiter waiter{channel};
    muxcc::MainWindow window{config, dialogs, channel, waiter};
    QSignalSpy statuses{&window.statusLine(), &QLineEdit::textChanged};

    // Chooses a menu item and returns the status texts it showed, in order.
    QStringList choose(const char* item)
    {
        statuses.clear();
        window.findChild<QAction*>(QString::fromLatin1(item))->trigger();
        QStringList shown;
        for (const QList<QVariant>& change : statuses)
            shown << change.at(0).toString();
        return shown;
    }
};

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Settings whose every kind of field shows in the file.
void Configure(Configuration& config)
{
    config.ChannelDirection[1] = 1;
    config.ChannelDirection[16] = 1;
    config.TimerMode[1] = 1;
    config.TimerOnTime[1] = 250;
    config.TimerOffTime[5] = 65500;
    config.VoltageSetting[1] = 13.5f;
    config.VoltageTime[1] = 250;
    config.TemperatureSetting[4] = -12.25f;
    config.TemperatureTime[4] = 7;
    config.VoltageModel = 1;
    config.OptionFlags = 5;
    config.SlpOperand = 12;
    config.SlpOnTime = 255;
    config.BooleanText[1] = "INPUT1 AND NOT V1";
    config.BooleanText[42] = "TMR1 OR (MUX2, AND T3)";
}

using Setup = void (*)(Configuration&);

// A save that cannot succeed, prepared in dir; returns the path SAVE AS chooses.
using Spoil = QString (*)(Program&, const QString& dir, const QString& oldFile);

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Spoil)

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void shouldOpenWhatSaveAsWrote_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::newRow("fresh start") << Setup([](Configuration&) {});
        QTest::newRow("every kind of field") << Setup(Configure);
        QTest::newRow("12 V model, all options")
            << Setup([](Configuration& config) { config.OptionFlags = 15; });
    }

    void shouldOpenWhatSaveAsWrote()
    {
        QFETCH(Setup, setup);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings")); // no extension is added
        Program saver;
        setup(saver.config);
        saver.dialogs.files = {path};

        QCOMPARE(saver.choose("MNUSAVEAS"),
                 (QStringList{"SAVING TO FILE.......", "FILE SAVE AS FUNCTION COMPLETED"}));
        QCOMPARE(QString::fromStdString(saver.config.FileName), path);
        QCOMPARE(saver.config.FileAssociated, 1);

        Program opener;
        opener.config.ChannelDirection[2] = 1; // replaced by the file's value
        opener.dialogs.files = {path};
        QCOMPARE(opener.choose("MNUOPEN"),
                 (QStringList{"OPEN FILE IN PROCESS.......", "FILE OPEN COMPLETED"}));

        Configuration expected = saver.config;
        expected.BooleanEditText = expected.BooleanText;
        QVERIFY(opener.config == expected);
        QVERIFY(saver.dialogs.notices.empty());
        QVERIFY(opener.dialogs.notices.empty());
    }

    void shouldSaveToTheCurrentFileWithoutAsking()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("current.MCF"));
        Write(path, QByteArray()); // opens as a fresh start
        Program program;
        program.dialogs.files = {path};
        program.choose("MNUOPEN");
        QCOMPARE(program.config.FileAssociated, 1);
        Configure(program.config);
        const QString decoy = dir.filePath(QStringLiteral("decoy.MCF"));
        program.dialogs.files = {decoy};

        QCOMPARE(program.choose("MNUSAVE"),
                 (QStringList{"SAVING TO FILE.......", "FILE SAVE FUNCTION COMPLETED"}));

        QCOMPARE(program.dialogs.files.size(), 1u); // no dialog was shown
        QVERIFY(!QFile::exists(decoy));
        Program opener;
        opener.dialogs.files = {path};
        opener.choose("MNUOPEN");
        QCOMPARE(opener.config.TimerOffTime[5], 65500);
        QCOMPARE(opener.config.BooleanText[42], std::string("TMR1 OR (MUX2, AND T3)"));
    }

    void shouldAskForSaveAsBeforeTheFirstSave()
    {
        QTemporaryDir dir;
        Program program;
        const QString path = dir.filePath(QStringLiteral("unasked.MCF"));
        program.dialogs.files = {path};
        const Configuration before = program.config;

        QCOMPARE(program.choose("MNUSAVE"), QStringList());

        const std::vector<Notice> notice{{Notice::Icon::Information, "Save Function",
                                          " No file association. Perform a SaveAs Function First."}};
        QVERIFY(program.dialogs.notices == notice);
        QVERIFY(!QFile::exists(path));
        QVERIFY(program.config == before);
        QCOMPARE(program.window.status(), QStringLiteral("Welcome to the World of Programmable Logic"));
    }

    void shouldEndSilentlyWhenTheFileDialogIsCancelled_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("open") << "MNUOPEN";
        QTest::newRow("save as") << "MNUSAVEAS";
    }

    void shouldEndSilentlyWhenTheFileDialogIsCancelled()
    {
        QFETCH(QString, item);
        Program program;
        Configure(program.config);
        const Configuration before = program.config;

        QCOMPARE(program.choose(item.toLatin1().constData()), QStringList());

        QVERIFY(program.config == before);
        QVERIFY(program.dialogs.notices.empty());
    }

    void shouldChangeNothingWhenOpenFails_data()
    {
        QTest::addColumn<QByteArray>("contents"); // written to the chosen file unless it is named below
        QTest::addColumn<QString>("name");        // relative to a fresh folder
        QTest::newRow("short file") << QByteArray("0,0,0,0,0\r\n") << "short.MCF";
        QTest::newRow("only a line end") << QByteArray("\r\n") << "blank.MCF";
        QTest::newRow("text where a number belongs") << QByteArray("\"x\"")
                                                                .append(QByteArray(",0").repeated(49))
                                                                .append(QByteArray(",\"\"").repeated(42))
                                                                .append(QByteArray(",0").repeated(7)) +
                                                            "\r\n"
                                                     << "text.MCF";
        QTest::newRow("file in a folder that does not exist") << QByteArray() << "missing/none.MCF";
        QTest::newRow("a folder") << QByteArray() << ".";
    }

    void shouldChangeNothingWhenOpenFails()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = QDir::cleanPath(dir.filePath(name));
        if (!contents.isEmpty())
            Write(path, contents);
        Program program;
        Configure(program.config);
        program.config.FileName = "/previous/file.MCF";
        program.config.FileAssociated = 1;
        const Configuration before = program.config;
        program.dialogs.files = {path};

        QCOMPARE(program.choose("MNUOPEN"), (QStringList{"OPEN FILE IN PROCESS.......", "FILE OPEN FAILED"}));

        QVERIFY(program.config == before);
        QCOMPARE(program.dialogs.notices.size(), 1u);
        const Notice& notice = program.dialogs.notices.front();
        QCOMPARE(notice.icon, Notice::Icon::Exclamation);
        QCOMPARE(notice.title, std::string("OPEN"));
        const QString text = QString::fromStdString(notice.text);
        QVERIFY2(text.startsWith(' ') && text.contains(path), notice.text.c_str());
    }

    void shouldLeaveTheOldFileWholeWhenSavingFails_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<Spoil>("spoil");
        QTest::newRow("save, equation text with a double quote")
            << "MNUSAVE" << Spoil([](Program& program, const QString&, const QString&) {
                   program.config.BooleanText[3] = "INPUT1 \"AND\" V1";
                   return QString();
               });
        QTest::newRow("save as onto the old file, equation text with a double quote")
            << "MNUSAVEAS" << Spoil([](Program& program, const QString&, const QString& oldFile) {
                   program.config.BooleanText[3] = "\"";
                   return oldFile;
               });
        QTest::newRow("save, folder made read-only")
            << "MNUSAVE" << Spoil([](Program&, const QString& dir, const QString&) {
                   QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
                   return QString();
               });
        QTest::newRow("save as onto a folder")
            << "MNUSAVEAS" << Spoil([](Program&, const QString& dir, const QString&) { return dir; });
        QTest::newRow("save as where no file can be created")
            << "MNUSAVEAS" << Spoil([](Program&, const QString&, const QString&) {
                   return QStringLiteral("/proc/muxcc-settings.MCF");
               });
    }

    void shouldLeaveTheOldFileWholeWhenSavingFails()
    {
        QFETCH(QString, item);
        QFETCH(Spoil, spoil);
        if (QTest::currentDataTag() == QLatin1String("save, folder made read-only") && geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString oldFile = dir.filePath(QStringLiteral("old.MCF"));
        Program program;
        program.dialogs.files = {oldFile};
        program.choose("MNUSAVEAS");
        const QByteArray oldBytes = Contents(oldFile);
        QVERIFY(oldBytes.startsWith("0,"));
        Configure(program.config);
        if (item == QLatin1String("MNUSAVEAS")) // a save as from a program that has no file yet
            program.config.FileAssociated = 0;
        const QString target = spoil(program, dir.path(), oldFile);
        if (!target.isEmpty())
            program.dialogs.files = {target};
        const Configuration before = program.config;

        const QStringList shown = program.choose(item.toLatin1().constData());

        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString failed = item == QLatin1String("MNUSAVE") ? "FILE SAVE FAILED" : "FILE SAVE AS FAILED";
        QCOMPARE(shown, (QStringList{"SAVING TO FILE.......", failed}));
        QCOMPARE(Contents(oldFile), oldBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.MCF"}); // no temporary left
        QVERIFY(program.config == before);
        QCOMPARE(program.dialogs.notices.size(), 1u);
        const Notice& notice = program.dialogs.notices.front();
        QCOMPARE(notice.icon, Notice::Icon::Exclamation);
        QCOMPARE(notice.title,
                 item == QLatin1String("MNUSAVE") ? std::string("SAVE") : std::string("SAVE AS"));
        QVERIFY2(notice.text.starts_with(' ') && notice.text.size() > 1, notice.text.c_str());
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"

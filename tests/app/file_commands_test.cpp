#include "app_program.h"
#include "project/project_writer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using muxcc::Configuration;
using muxcc::Notice;
using muxcc::test::AppProgram;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Settings whose every kind of field shows in the file.
void Configure(Configuration& config)
{
    config.ChannelDirection[16] = 1;
    config.TimerMode[1] = 1;
    config.TimerOffTime[5] = 65500;
    config.VoltageSetting[1] = 13.5f;
    config.TemperatureSetting[4] = -12.25f;
    config.TemperatureTime[4] = 7;
    config.VoltageModel = 1;
    config.OptionFlags = 5;
    config.SlpOnTime = 255;
    config.BooleanText[42] = "TMR1 OR (MUX2, AND T3)";
}

// Spoils a save in dir; returns the path SAVE AS is to choose.
using Spoil = QString (*)(Configuration&, const QString& dir);

} // namespace

Q_DECLARE_METATYPE(Spoil)

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void shouldOpenWhatSaveAsWroteAndSaveBackWithoutAsking()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings")); // no extension is added
        AppProgram saver;
        Configure(saver.config);
        saver.dialogs.files = {path};
        QCOMPARE(saver.choose("MNUSAVEAS"),
                 (QStringList{"SAVING TO FILE.......", "FILE SAVE AS FUNCTION COMPLETED"}));
        QCOMPARE(QString::fromStdString(saver.config.FileName), path);
        QCOMPARE(saver.config.FileAssociated, 1);

        AppProgram opener;
        opener.config.ChannelDirection[2] = 1; // the file's value replaces it
        opener.dialogs.files = {path, dir.filePath(QStringLiteral("decoy"))};
        opener.choose("MNU_ANA_CONFIG"); // an open window is brought up to date
        QCOMPARE(opener.choose("MNUOPEN"),
                 (QStringList{"OPEN FILE IN PROCESS.......", "FILE OPEN COMPLETED"}));
        saver.config.BooleanEditText = saver.config.BooleanText;
        QVERIFY(opener.config == saver.config);
        QCOMPARE(opener.window.findChild<QLineEdit*>(QStringLiteral("V1SET"))->text(),
                 QStringLiteral("13.5"));

        opener.config.TimerOnTime[3] = 1234;
        QCOMPARE(opener.choose("MNUSAVE"),
                 (QStringList{"SAVING TO FILE.......", "FILE SAVE FUNCTION COMPLETED"}));
        QCOMPARE(saver.dialogs.asked, QStringList{"save"});
        QCOMPARE(opener.dialogs.asked, QStringList{"open"}); // none for the save
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings"});
        QCOMPARE(Contents(path), QByteArray::fromStdString(muxcc::ProjectRecordLine(opener.config)));
        QVERIFY(saver.dialogs.notices.empty() && opener.dialogs.notices.empty());
    }

    void shouldAskForSaveAsBeforeTheFirstSave()
    {
        QTemporaryDir dir;
        AppProgram program;
        program.dialogs.files = {dir.filePath(QStringLiteral("unasked.MCF"))};
        const Configuration before = program.config;

        QCOMPARE(program.choose("MNUSAVE"), QStringList());

        const std::vector<Notice> notice{{Notice::Icon::Information, "Save Function",
                                          " No file association. Perform a SaveAs Function First."}};
        QVERIFY(program.dialogs.notices == notice);
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(program.config == before);
    }

    void shouldChangeNothingWhenOpenFails_data()
    {
        QTest::addColumn<QByteArray>("contents"); // of the chosen file, if any
        QTest::addColumn<QString>("name");        // in a fresh folder
        QTest::newRow("short file") << QByteArray("0,0,0,0,0\r\n") << "short.MCF";
        QTest::newRow("text where a number belongs")
            << "\"x\"" + QByteArray(",0").repeated(49) + QByteArray(",\"\"").repeated(42) +
                   QByteArray(",0").repeated(7) + "\r\n"
            << "text.MCF";
        QTest::newRow("in a folder that does not exist") << QByteArray() << "missing/none.MCF";
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
        AppProgram program;
        Configure(program.config);
        program.config.FileName = "/previous/file.MCF";
        program.config.FileAssociated = 1;
        const Configuration before = program.config;
        program.dialogs.files = {path};

        QCOMPARE(program.choose("MNUOPEN"), (QStringList{"OPEN FILE IN PROCESS.......", "FILE OPEN FAILED"}));

        QVERIFY(program.config == before);
        muxcc::test::ExpectOneExclamation(program, "OPEN", path);
    }

    void shouldLeaveTheOldFileWholeWhenSavingFails_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<Spoil>("spoil");
        QTest::newRow("save, equation with a double quote")
            << "MNUSAVE" << Spoil([](Configuration& config, auto) {
                   config.BooleanText[3] = "INPUT1 \"AND\" V1";
                   return QString();
               });
        QTest::newRow("save, folder made read-only")
            << "MNUSAVE" << Spoil([](Configuration&, const QString& dir) {
                   QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
                   return QString();
               });
        QTest::newRow("save as onto a folder")
            << "MNUSAVEAS" << Spoil([](Configuration&, const QString& dir) { return dir; });
        QTest::newRow("save as where no file can be created") // even for the superuser
            << "MNUSAVEAS" << Spoil([](Configuration&, auto) { return QStringLiteral("/proc/muxcc.MCF"); });
    }

    void shouldLeaveTheOldFileWholeWhenSavingFails()
    {
        QFETCH(QString, item);
        QFETCH(Spoil, spoil);
        if (QTest::currentDataTag() == QLatin1String("save, folder made read-only") && geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString oldFile = dir.filePath(QStringLiteral("old.MCF"));
        AppProgram program;
        program.dialogs.files = {oldFile};
        program.choose("MNUSAVEAS");
        const QByteArray oldBytes = Contents(oldFile);
        Configure(program.config);
        const bool saveAs = item == QLatin1String("MNUSAVEAS");
        program.config.FileAssociated = saveAs ? 0 : 1; // save as from a program without a file
        const QString chosen = spoil(program.config, dir.path());
        program.dialogs.files = {chosen};
        const Configuration before = program.config;

        const QStringList shown = program.choose(item);

        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(shown,
                 (QStringList{"SAVING TO FILE.......", saveAs ? "FILE SAVE AS FAILED" : "FILE SAVE FAILED"}));
        QVERIFY(oldBytes.startsWith("0,"));
        QCOMPARE(Contents(oldFile), oldBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.MCF"}); // no temporary left
        QVERIFY(program.config == before);
        muxcc::test::ExpectOneExclamation(program, saveAs ? "SAVE AS" : "SAVE", saveAs ? chosen : oldFile);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"

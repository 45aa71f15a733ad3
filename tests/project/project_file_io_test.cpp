#include "project/project_file_io.h"

#include "project_lines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace muxcc;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The example as a completed OPEN or SAVE of `path` leaves it.
Configuration exampleFrom(const QString& path)
{
    Configuration config;
    test::makeExample(config);
    config.BooleanEditText = config.BooleanText;
    config.FileName = path.toStdString();
    config.FileAssociated = 1;
    config.PackedOptionWord = 21;
    return config;
}

} // namespace

class ProjectFileIoTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void shouldSaveTheLineAndOpenItBack()
    {
        const QString path = dir_->filePath("NOEXTENSION");
        QVERIFY(writeFile(path, "an older, longer file that SAVE AS replaces without a question"));

        Configuration config = exampleFrom("earlier.mcf");
        QCOMPARE(SaveProjectFile(config, path.toStdString()), std::nullopt);
        QCOMPARE(contents(path), QByteArray::fromStdString(test::ExampleLine));
        QVERIFY(config == exampleFrom(path));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"NOEXTENSION"}); // no temporary left

        Configuration reopened;
        reopened.BooleanEditText[2] = "an unsaved edit";
        QCOMPARE(OpenProjectFile(reopened, path.toStdString()), std::nullopt);
        QVERIFY(reopened == exampleFrom(path));
    }

    void shouldFailToOpenAndChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");

        // clang-format off
        QTest::newRow("a missing file")  << "MISSING.MCF" << "cannot open";
        QTest::newRow("a directory")     << "FOLDER"      << "is a directory";
        QTest::newRow("a broken record") << "BROKEN.MCF"  << "field 17 (TimerOnTime[1]): \"abc\" is not a number";
        // clang-format on
    }

    void shouldFailToOpenAndChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);

        QVERIFY(QDir(dir_->path()).mkpath("FOLDER"));
        QVERIFY(writeFile(dir_->filePath("BROKEN.MCF"),
                          QByteArray::fromStdString(test::freshLineWith(17, "abc"))));

        Configuration config = exampleFrom("previous.mcf");
        const auto failure = OpenProjectFile(config, dir_->filePath(name).toStdString());
        QVERIFY(failure.has_value());
        QVERIFY2(QString::fromStdString(*failure).contains(reason), failure->c_str());
        QVERIFY(config == exampleFrom("previous.mcf"));
    }

    void shouldFailToSaveAndKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnlyDirectory");
        QTest::addColumn<std::string>("equation");

        // clang-format off
        QTest::newRow("a path that is a directory")      << "FOLDER"          << false << std::string("V1");
        QTest::newRow("a read-only directory")           << "OLD.MCF"         << true  << std::string("V1");
        // QSaveFile's temporary beside a 250-byte name would be too long.
        QTest::newRow("no room for a temporary name")    << QString(250, 'N') << false << std::string("V1");
        QTest::newRow("an equation with a double quote") << "OLD.MCF"         << false << std::string("V1 \"OR\" V2");
        // clang-format on
    }

    void shouldFailToSaveAndKeepTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnlyDirectory);
        QFETCH(std::string, equation);

        const QString path = dir_->filePath(name);
        QVERIFY(QDir(dir_->path()).mkpath("FOLDER"));
        QVERIFY(name == "FOLDER" || writeFile(path, "old contents\r\n"));
        const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        const auto restore = qScopeGuard([&] { QFile::setPermissions(dir_->path(), writable); });
        if (readOnlyDirectory) {
            QFile::setPermissions(dir_->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            if (writeFile(dir_->filePath("probe"), {}))
                QSKIP("this process may write into read-only directories (running as root)");
        }

        Configuration config = exampleFrom("previous.mcf");
        config.BooleanText[2] = equation;
        const Configuration before = config;
        const auto failure = SaveProjectFile(config, path.toStdString());
        QVERIFY(failure.has_value());
        QVERIFY2(failure->starts_with("cannot save"), failure->c_str());
        QVERIFY(config == before);
        QCOMPARE(contents(path),
                 name == "FOLDER" ? QByteArray("<unreadable>") : QByteArray("old contents\r\n"));
        QCOMPARE(QFileInfo(dir_->filePath("FOLDER")).isDir(), true);
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(ProjectFileIoTest)
#include "project_file_io_test.moc"

#include "app/message_box_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <QTemporaryDir>

#include <optional>

using muxcc::Notice;

namespace {

using Choose = std::optional<QString> (muxcc::MessageBoxDialogs::*)();

// What a file dialog offered when it was shown.
struct FileDialogSeen {
    QString title = QStringLiteral("(not shown)");
    QStringList filters;
    QString selectedFilter;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    bool confirmsOverwrite = true;
};

} // namespace

Q_DECLARE_METATYPE(Choose)

class MessageBoxDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void shouldShowANoticeWithItsIcon_data()
    {
        QTest::addColumn<Notice::Icon>("icon");
        QTest::addColumn<QMessageBox::Icon>("shown");
        QTest::newRow("information") << Notice::Icon::Information << QMessageBox::Information;
        QTest::newRow("exclamation") << Notice::Icon::Exclamation << QMessageBox::Warning;
    }

    void shouldShowANoticeWithItsIcon()
    {
        QFETCH(Notice::Icon, icon);
        QFETCH(QMessageBox::Icon, shown);
        muxcc::MessageBoxDialogs dialogs;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QString seenTitle;
        QString seenText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenIcon = box->icon();
            seenTitle = box->windowTitle();
            seenText = box->text();
            box->accept();
        });

        dialogs.showNotice({icon, "V1 VOLTAGE SETTING", " MUST BE A NUMBER BETWEEN 0 AND 50"});

        QCOMPARE(seenIcon, shown);
        QCOMPARE(seenTitle, QStringLiteral("V1 VOLTAGE SETTING"));
        QCOMPARE(seenText, QStringLiteral(" MUST BE A NUMBER BETWEEN 0 AND 50"));
    }

    void shouldOfferTheProjectFilesWithoutATitle_data()
    {
        QTest::addColumn<Choose>("choose");
        QTest::addColumn<QFileDialog::AcceptMode>("mode");
        QTest::addColumn<QString>("title"); // the toolkit's own, as none is set
        QTest::newRow("open") << &muxcc::MessageBoxDialogs::chooseFileToOpen << QFileDialog::AcceptOpen
                              << "Open";
        QTest::newRow("save as") << &muxcc::MessageBoxDialogs::chooseFileToSave << QFileDialog::AcceptSave
                                 << "Save As";
    }

    void shouldOfferTheProjectFilesWithoutATitle()
    {
        QFETCH(Choose, choose);
        QFETCH(QFileDialog::AcceptMode, mode);
        QFETCH(QString, title);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("existing.MCF"));
        QFile existing(path);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        muxcc::MessageBoxDialogs dialogs;
        FileDialogSeen seen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = {dialog->windowTitle(), dialog->nameFilters(), dialog->selectedNameFilter(),
                    dialog->acceptMode(), !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
        });

        const std::optional<QString> chosen = (dialogs.*choose)();

        QCOMPARE(chosen, std::optional(path));
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.filters, (QStringList{"ALL FILES (*.*)", "TEXT FILES (*.MCF)"}));
        QCOMPARE(seen.selectedFilter, QStringLiteral("TEXT FILES (*.MCF)"));
        QCOMPARE(seen.mode, mode);
        if (mode == QFileDialog::AcceptSave)
            QVERIFY(!seen.confirmsOverwrite); // replacing a file is not questioned
    }

    void shouldReportCancelAsNoFile_data()
    {
        QTest::addColumn<Choose>("choose");
        QTest::newRow("open") << &muxcc::MessageBoxDialogs::chooseFileToOpen;
        QTest::newRow("save as") << &muxcc::MessageBoxDialogs::chooseFileToSave;
    }

    void shouldReportCancelAsNoFile()
    {
        QFETCH(Choose, choose);
        muxcc::MessageBoxDialogs dialogs;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = true;
            dialog->reject();
        });

        QCOMPARE((dialogs.*choose)(), std::nullopt);
        QVERIFY(shown);
    }
};

QTEST_MAIN(MessageBoxDialogsTest)
#include "message_box_dialogs_test.moc"

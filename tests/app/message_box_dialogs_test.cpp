#include "app/message_box_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

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

    void shouldOfferTheProjectFiles_data()
    {
        QTest::addColumn<Choose>("choose");
        QTest::addColumn<QFileDialog::AcceptMode>("mode");
        QTest::addColumn<QString>("title"); // the toolkit's own, as none is set
        QTest::addColumn<bool>("accepted");
        const Choose open = &muxcc::MessageBoxDialogs::chooseFileToOpen;
        const Choose save = &muxcc::MessageBoxDialogs::chooseFileToSave;
        QTest::newRow("open") << open << QFileDialog::AcceptOpen << "Open" << true;
        QTest::newRow("open, cancelled") << open << QFileDialog::AcceptOpen << "Open" << false;
        QTest::newRow("save as") << save << QFileDialog::AcceptSave << "Save As" << true;
        QTest::newRow("save as, cancelled") << save << QFileDialog::AcceptSave << "Save As" << false;
    }

    void shouldOfferTheProjectFiles()
    {
        QFETCH(Choose, choose);
        QFETCH(QFileDialog::AcceptMode, mode);
        QFETCH(QString, title);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("existing.MCF"));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        muxcc::MessageBoxDialogs dialogs;
        FileDialogSeen seen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = {dialog->windowTitle(), dialog->nameFilters(), dialog->selectedNameFilter(),
                    dialog->acceptMode(), !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
            dialog->selectFile(path);
            accepted ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });

        const std::optional<QString> chosen = (dialogs.*choose)();

        QCOMPARE(chosen, accepted ? std::optional(path) : std::nullopt);
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.filters, (QStringList{"ALL FILES (*.*)", "TEXT FILES (*.MCF)"}));
        QCOMPARE(seen.selectedFilter, QStringLiteral("TEXT FILES (*.MCF)"));
        QCOMPARE(seen.mode, mode);
        if (mode == QFileDialog::AcceptSave)
            QVERIFY(!seen.confirmsOverwrite); // replacing a file is not questioned
    }
};

QTEST_MAIN(MessageBoxDialogsTest)
#include "message_box_dialogs_test.moc"

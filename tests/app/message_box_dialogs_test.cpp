#include "app/message_box_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using muxcc::Notice;

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
};

QTEST_MAIN(MessageBoxDialogsTest)
#include "message_box_dialogs_test.moc"

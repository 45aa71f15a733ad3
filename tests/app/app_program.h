#pragma once

#include "app/main_window.h"
#include "app/status_line.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

namespace muxcc::test {

// Recorded dialogs that also note which file dialog was asked for, and whose
// print dialog, given a pdf path, answers "Print to file".
class AnsweringDialogs : public RecordingDialogs {
public:
    std::optional<QString> chooseFileToOpen() override
    {
        asked << QStringLiteral("open");
        return RecordingDialogs::chooseFileToOpen();
    }
    std::optional<QString> chooseFileToSave() override
    {
        asked << QStringLiteral("save");
        return RecordingDialogs::chooseFileToSave();
    }
    bool choosePrinter(QPrinter& printer) override
    {
        if (!pdf.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
        }
        return printerAccepted;
    }

    QString pdf;
    QStringList asked;
};

// The program on a port that does not exist.
struct AppProgram {
    Configuration config;
    AnsweringDialogs dialogs;
    link::SerialPortChannel channel{QStringLiteral("/nonexistent/ttyS0")};
    link::SerialPortWaiter waiter{channel};
    MainWindow window{config, dialogs, channel, waiter};
    QSignalSpy statuses{&window.statusLine(), &QLineEdit::textChanged};

    // Chooses a menu item; returns the status texts it showed, in order.
    QStringList choose(const QString& item)
    {
        statuses.clear();
        window.findChild<QAction*>(item)->trigger();
        QStringList shown;
        for (const QList<QVariant>& change : statuses)
            shown << change.at(0).toString();
        return shown;
    }
};

// One exclamation notice titled title whose text, after its leading space, mentions `mentioning`.
inline void ExpectOneExclamation(const AppProgram& program, const char* title, const QString& mentioning)
{
    QCOMPARE(program.dialogs.notices.size(), 1u);
    const Notice& notice = program.dialogs.notices.front();
    QCOMPARE(notice.icon, Notice::Icon::Exclamation);
    QCOMPARE(notice.title, std::string(title));
    QVERIFY2(notice.text.starts_with(' ') && QString::fromStdString(notice.text).contains(mentioning),
             notice.text.c_str());
}

} // namespace muxcc::test

#include "app/message_box_dialogs.h"

#include "app/text.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace muxcc {

namespace {

const QString ProjectFilters = QStringLiteral("ALL FILES (*.*);;TEXT FILES (*.MCF)");
const QString ProjectFilter = QStringLiteral("TEXT FILES (*.MCF)");

} // namespace

void MessageBoxDialogs::showNotice(const Notice& notice)
{
    const auto icon =
        notice.icon == Notice::Icon::Exclamation ? QMessageBox::Warning : QMessageBox::Information;
    QMessageBox box(icon, toQString(notice.title), toQString(notice.text), QMessageBox::Ok, parent_);
    box.exec();
}

// No title, no default extension, no start folder and no overwrite question.
std::optional<QString> MessageBoxDialogs::chooseFileToOpen()
{
    QString filter = ProjectFilter;
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), QString(), ProjectFilters, &filter);
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

std::optional<QString> MessageBoxDialogs::chooseFileToSave()
{
    QString filter = ProjectFilter;
    const QString path = QFileDialog::getSaveFileName(parent_, QString(), QString(), ProjectFilters, &filter,
                                                      QFileDialog::DontConfirmOverwrite);
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

bool MessageBoxDialogs::choosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace muxcc

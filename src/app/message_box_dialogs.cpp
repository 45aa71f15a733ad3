#include "app/message_box_dialogs.h"

#include "app/text.h"

#include <QMessageBox>

namespace muxcc {

void MessageBoxDialogs::showNotice(const Notice& notice)
{
    const auto icon =
        notice.icon == Notice::Icon::Exclamation ? QMessageBox::Warning : QMessageBox::Information;
    QMessageBox box(icon, toQString(notice.title), toQString(notice.text), QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace muxcc

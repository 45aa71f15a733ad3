#pragma once

#include "app/main_window.h"
#include "app/status_line.h"
#include "support/recording_dialogs.h"
#include "support/virtual_link.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <chrono>

namespace muxcc::test {

// "TITLE|text" for an exclamation, "TITLE?text" for any other notice.
inline QString Shown(const Notice& notice)
{
    return QString::fromStdString(notice.title + (notice.icon == Notice::Icon::Exclamation ? '|' : '?') +
                                  notice.text);
}

// One digit per element of a configuration array, the first element first.
template <typename Array>
QString Digits(const Array& values)
{
    QString digits;
    for (const auto value : values)
        digits += QString::number(value);
    return digits;
}

template <typename Array>
void SetDigits(Array& values, const QString& digits)
{
    int i = 0;
    for (auto& value : values)
        value = static_cast<std::decay_t<decltype(value)>>(digits[i++].digitValue());
}

// What each control shows: its text, a list's selected entries, a star for a selected option.
inline QString Values(const QWidget& root, const QStringList& names)
{
    QStringList shown;
    for (const QString& name : names) {
        const auto* control = root.findChild<const QWidget*>(name);
        QString text = control->property("text").toString() + control->property("currentText").toString();
        if (const auto* list = qobject_cast<const QListWidget*>(control))
            for (const QListWidgetItem* entry : list->selectedItems())
                text += entry->text() + '+';
        if (const auto* option = qobject_cast<const QAbstractButton*>(control); option && option->isChecked())
            text += '*';
        shown << text;
    }
    return shown.join('|');
}

// "shown|accessible name|frame|buddy labels|>the control Tab goes to next"; a menu item's window and caption.
inline QString Describe(const QWidget& root, const QString& name)
{
    if (const auto* item = root.findChild<const QAction*>(name))
        return qobject_cast<const QWidget*>(item->parent())->window()->windowTitle() + '|' + item->text();
    const auto* control = root.findChild<const QWidget*>(name);
    const auto* frame = qobject_cast<const QGroupBox*>(control->parentWidget());
    QStringList buddies;
    for (const QLabel* label : control->window()->findChildren<const QLabel*>())
        if (label->buddy() == control)
            buddies << label->text();
    const QWidget* next = control->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return QStringList{Values(root, {name}), control->accessibleName(), frame ? frame->title() : QString(),
                       buddies.join(','), '>' + next->objectName()}
        .join('|');
}

// The program on a virtual controller, its settings windows opened from the menu. It answers every message
// itself and keeps, in order, each message and each status text (after "status:").
struct SettingsProgram : RecordingDialogs {
    Configuration config;
    LinkBench link;
    MainWindow window{config, *this, link, link};
    QStringList events;

    SettingsProgram()
    {
        window.statusLine().setStatusWait(std::chrono::milliseconds(5));
        QObject::connect(&window.statusLine(), &QLineEdit::textChanged,
                         [this](const QString& text) { events << "status:" + text; });
    }
    void showNotice(const Notice& notice) override
    {
        RecordingDialogs::showNotice(notice);
        events << Shown(notice);
    }
    // Steps apart by ';': "box=text" types into a box or picks the entry of a drop-down or list, a name alone
    // triggers a menu item or clicks an option or button, "hide" hides every settings window and "load"
    // brings them up to date as after OPEN.
    void act(const QString& steps)
    {
        for (const QString& step : steps.split(';')) {
            const QString name = step.section('=', 0, 0);
            const QString text = step.section('=', 1);
            if (step == "hide") {
                for (QWidget* widget : window.findChildren<QWidget*>())
                    if (widget->isWindow())
                        widget->hide();
            } else if (step == "load") {
                window.refreshWindowsAfterOpen();
            } else if (auto* item = window.findChild<QAction*>(name)) {
                item->trigger();
            } else if (auto* drop = window.findChild<QComboBox*>(name)) {
                drop->setCurrentIndex(drop->findText(text));
            } else if (auto* list = window.findChild<QListWidget*>(name)) {
                QListWidgetItem* entry = list->findItems(text, Qt::MatchExactly).value(0);
                list->scrollToItem(entry);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(entry).center());
            } else if (step.contains('=')) {
                auto* box = window.findChild<QLineEdit*>(name);
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClicks(box, text);
            } else { // at the indicator of an option, which is wider than its caption
                QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton, {}, QPoint(6, 6));
            }
        }
    }
    QString values(const QStringList& names) const { return Values(window, names); }
    // Waits out the save's status wait: what was shown meanwhile must be `journal`, messages and status texts
    // in order. A screen reader names each box as its message does; the rejected box shows "0".
    void expectJournal(const QStringList& journal) const
    {
        QTRY_COMPARE_WITH_TIMEOUT(events, journal, 500);
        for (const Notice& notice : notices) {
            if (notice.icon != Notice::Icon::Exclamation)
                continue;
            QStringList named;
            for (const QLineEdit* box : window.findChildren<QLineEdit*>())
                if (box->accessibleName().toStdString() == notice.title)
                    named << box->text();
            QCOMPARE(named, QStringList{"0"});
        }
    }
};

} // namespace muxcc::test

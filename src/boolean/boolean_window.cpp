#include "boolean/boolean_window.h"

#include "app/dialogs.h"
#include "app/status_line.h"
#include "app/text.h"
#include "app/window_menu.h"
#include "boolean/compiler.h"
#include "boolean/equation_check.h"
#include "boolean/input_channel_rule.h"
#include "boolean/operand_list.h"
#include "model/output_order.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace muxcc {

namespace {

QListWidget* NamedList(const char* objectName, const QString& heading,
                       const std::vector<std::string>& entries)
{
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(objectName));
    list->setAccessibleName(heading);
    for (const std::string& entry : entries)
        list->addItem(toQString(entry));
    return list;
}

// The selection index of a list: 0 for the empty entry, as for no selection.
int SelectedEntry(const QListWidget& list)
{
    return std::max(list.currentRow(), 0);
}

} // namespace

BooleanWindow::BooleanWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status)
{
    setWindowTitle(QStringLiteral("BOOLEAN DEFINITION"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    labelBoxes();
    updateCheck();
}

void BooleanWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    connect(AddWindowMenuItem(*layout, tr("&Save Boolean Settings"), QStringLiteral("mnusavebooleanform5")),
            &QAction::triggered, this, [this] { save({}); });

    auto* columns = new QHBoxLayout;
    auto* equations = new QGridLayout;
    // The project file quotes each equation and cannot carry a quote inside one.
    auto* noQuote = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), this);
    for (int i = 1; i <= BoxCount; ++i) {
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("equationLabel%1").arg(i));
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("equation%1").arg(i));
        edit->setMinimumWidth(420);
        edit->setValidator(noQuote);
        edit->installEventFilter(this);
        label->setBuddy(edit);
        connect(edit, &QLineEdit::textEdited, this, [this, i] { editedBox_ = i; });
        connect(edit, &QLineEdit::textChanged, this, &BooleanWindow::updateCheck);
        equations->addWidget(label, i - 1, 0, Qt::AlignRight);
        equations->addWidget(edit, i - 1, 1);
        labels_[static_cast<std::size_t>(i - 1)] = label;
        boxes_[static_cast<std::size_t>(i - 1)] = edit;
    }
    columns->addLayout(equations, 1);

    auto* side = new QVBoxLayout;
    const auto addList = [side](QListWidget* list, const QString& heading) {
        auto* label = new QLabel(heading);
        label->setBuddy(list);
        side->addWidget(label);
        side->addWidget(list);
    };
    operandList_ = NamedList("operandList", QStringLiteral("BOOLEAN OPERANDS"), OperandListEntries());
    commandList_ = NamedList("commandList", QStringLiteral("BOOLEAN COMMANDS"), CommandListEntries());
    addList(operandList_, operandList_->accessibleName());
    addList(commandList_, commandList_->accessibleName());
    commandList_->setMaximumHeight(commandList_->sizeHintForRow(0) * (commandList_->count() + 1));

    auto* more = new QPushButton(QStringLiteral("MORE BOOLEANS"));
    more->setObjectName(QStringLiteral("moreBooleans"));
    connect(more, &QPushButton::clicked, this, &BooleanWindow::turnPage);
    auto* compileButton = new QPushButton(QStringLiteral("Compile Booleans"));
    compileButton->setObjectName(QStringLiteral("compileBooleans"));
    connect(compileButton, &QPushButton::clicked, this, &BooleanWindow::compile);
    side->addWidget(more);
    side->addWidget(compileButton);
    columns->addLayout(side);
    layout->addLayout(columns);

    check_ = new QLabel;
    check_->setObjectName(QStringLiteral("equationCheck"));
    check_->setTextFormat(Qt::PlainText);
    codeUsage_ = new QLabel;
    codeUsage_->setObjectName(QStringLiteral("codeUsage"));
    layout->addWidget(check_);
    layout->addWidget(codeUsage_);

    // Row by row, then the lists and buttons on the right.
    QWidget* previous = boxes_.front();
    for (int i = 2; i <= BoxCount; ++i) {
        setTabOrder(previous, &box(i));
        previous = &box(i);
    }
    for (QWidget* next : std::initializer_list<QWidget*>{operandList_, commandList_, more, compileButton}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

int BooleanWindow::outputOf(int box) const
{
    return (secondPage_ ? BoxCount : 0) + box;
}

QLineEdit& BooleanWindow::box(int box) const
{
    return *boxes_[static_cast<std::size_t>(box - 1)];
}

void BooleanWindow::setBoxColour(int box, QPalette::ColorRole role)
{
    QPalette colours = this->box(box).palette();
    colours.setColor(QPalette::Base, palette().color(role));
    this->box(box).setPalette(colours);
}

void BooleanWindow::greyInputChannels()
{
    for (int k = 1; k <= ChannelCount; ++k) {
        if (config_.ChannelDirection[k] == 0)
            setBoxColour(k, QPalette::Button);
    }
}

void BooleanWindow::whitenChannelBoxes()
{
    for (int k = 1; k <= ChannelCount; ++k)
        setBoxColour(k, QPalette::Base);
}

void BooleanWindow::labelBoxes()
{
    for (int i = 1; i <= BoxCount; ++i) {
        const QString output = toQString(OutputName(outputOf(i)));
        labels_[static_cast<std::size_t>(i - 1)]->setText(output + QStringLiteral(" ="));
        box(i).setAccessibleName(output);
    }
}

void BooleanWindow::storeBoxes()
{
    for (int i = 1; i <= BoxCount; ++i)
        config_.BooleanEditText[outputOf(i)] = toStdString(box(i).text());
}

void BooleanWindow::fillBoxes(const OneBased<std::string, OutputCount>& texts)
{
    for (int i = 1; i <= BoxCount; ++i)
        box(i).setText(toQString(texts[outputOf(i)]));
}

void BooleanWindow::open()
{
    show();
    raise();
    activateWindow();
    operandList_->setCurrentRow(0);
    commandList_->setCurrentRow(0);
    whitenChannelBoxes();
    fillBoxes(config_.BooleanText);
    if (!secondPage_) {
        greyInputChannels();
        for (int k = 1; k <= ChannelCount; ++k) {
            if (config_.ChannelDirection[k] == 0)
                box(k).clear();
        }
    }
    updateCheck();
}

void BooleanWindow::showConfigurationTexts()
{
    fillBoxes(config_.BooleanText);
}

void BooleanWindow::recolourInputChannels()
{
    if (secondPage_)
        return;
    whitenChannelBoxes();
    greyInputChannels();
    updateCheck();
}

bool BooleanWindow::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 1; i <= BoxCount; ++i) {
        if (watched != &box(i))
            continue;
        if (event->type() == QEvent::FocusIn) {
            editedBox_ = i;
            updateCheck();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            append(i);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BooleanWindow::append(int box)
{
    const int operand = SelectedEntry(*operandList_);
    const int command = SelectedEntry(*commandList_);
    editedBox_ = box;
    QString text = this->box(box).text();
    if (operand > 0)
        text += operandList_->item(operand)->text();
    if (command > 0)
        text += commandList_->item(command)->text();
    this->box(box).setText(text);
}

void BooleanWindow::turnPage()
{
    if (secondPage_)
        greyInputChannels();
    else
        whitenChannelBoxes();
    storeBoxes();
    secondPage_ = !secondPage_;
    labelBoxes();
    fillBoxes(config_.BooleanEditText);
    updateCheck();
}

void BooleanWindow::save(std::function<void()> then)
{
    status_.showMessage(QStringLiteral(" Boolean Settings Saving, but not to file"));
    storeBoxes();
    for (const DroppedEquation& dropped :
         DropInputChannelEquations(config_.BooleanEditText, config_.ChannelDirection)) {
        if (!secondPage_)
            box(dropped.channel).clear();
        dialogs_.showNotice(dropped.notice);
    }
    config_.BooleanText = config_.BooleanEditText;
    status_.showTimedMessage(QStringLiteral(" Boolean Settings Saved, but not to file"), nullptr,
                             std::move(then));
}

void BooleanWindow::compile()
{
    // The window may be closed during the wait: the compile keeps only what outlives it.
    save([&config = config_, &dialogs = dialogs_] {
        if (const auto notice = CompileAllBooleans(config))
            dialogs.showNotice(*notice);
    });
}

void BooleanWindow::updateCheck()
{
    OneBased<std::string, OutputCount> texts = config_.BooleanEditText;
    for (int i = 1; i <= BoxCount; ++i)
        texts[outputOf(i)] = toStdString(box(i).text());
    const int output = outputOf(editedBox_);
    check_->setText(toQString(EquationCheckText(output, texts[output], config_.ChannelDirection)));
    codeUsage_->setText(toQString(CodeUsageText(std::move(texts), config_.ChannelDirection)));
}

} // namespace muxcc

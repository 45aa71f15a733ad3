#pragma once

#include "model/configuration.h"

#include <QPalette>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;

namespace muxcc {

class Dialogs;
class StatusLine;

// BOOLEAN DEFINITION: the 42 equations on two pages of 21 boxes, edited
// through the working copy BooleanEditText, which outlives the window.
class BooleanWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int BoxCount = 21;

    BooleanWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent = nullptr);

    // The menu command: shows the window, selects the empty list entries and
    // fills the page shown from BooleanText.
    void open();
    // After OPEN: the boxes of the page shown take BooleanText; colours and
    // list selections stay.
    void showConfigurationTexts();
    // After the channel window saved: on the first page, the boxes of input
    // channels turn grey and the others white.
    void recolourInputChannels();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Output number (1..42) of box `box` (1..21) on the page shown.
    int outputOf(int box) const;
    QLineEdit& box(int box) const;
    void setBoxColour(int box, QPalette::ColorRole role);
    void greyInputChannels();
    void whitenChannelBoxes();
    void labelBoxes();
    // The boxes' texts into the working copy of the page shown, or back.
    void storeBoxes();
    void fillBoxes(const OneBased<std::string, OutputCount>& texts);

    void append(int box);
    void turnPage();
    // Stores the texts; `then` runs after the status wait, even if this window is gone.
    void save(std::function<void()> then);
    void compile();
    void updateCheck();

    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;

    std::array<QLineEdit*, BoxCount> boxes_{};
    std::array<QLabel*, BoxCount> labels_{};
    QListWidget* operandList_ = nullptr;
    QListWidget* commandList_ = nullptr;
    QLabel* check_ = nullptr;
    QLabel* codeUsage_ = nullptr;
    bool secondPage_ = false;
    int editedBox_ = 1; // the box the live check describes
};

} // namespace muxcc

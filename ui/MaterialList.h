#pragma once

#include <QComboBox>
#include <QString>

#include <span>
#include <string_view>

class EntryDelegate;
class QWheelEvent;

// A material list: a drop-down list of fixed entries with an editable field that shows a
// prompt until the first pick. Only picking an entry (with the mouse, the arrow keys, or
// the wheel while the list has the focus) chooses it; text typed into the field is shown
// as typed and is never looked up among the entries, whatever it spells.
class MaterialList : public QComboBox {
    Q_OBJECT

  public:
    MaterialList(std::span<const std::string_view> entries, const QString& prompt,
                 QWidget* parent = nullptr);

    void showPopup() override;

  protected:
    // The wheel over a list that does not have the focus passes on to the window, so
    // that scrolling past the list changes nothing.
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Opens the rows, at least `rowPx` tall each.
    void OpenRows(int rowPx);

    EntryDelegate* delegate_ = nullptr;
};

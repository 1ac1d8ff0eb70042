#include "MaterialList.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QValidator>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int VisibleEntries = 8;
constexpr int RowPaddingPx = 2;

// The field accepts any typing, but none of it is ever complete input: the field then
// neither reports Enter nor finishes an edit, which is what would make the list select
// the entry that matches the typed text.
class TypedTextValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString&, int&) const override { return Intermediate; }
};

// Rows of the open list as high as a line of the list's font and a little room, so that
// the highlight does not touch the letters.
class EntryDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), QFontMetrics(option.font).height() + RowPaddingPx));
        return size;
    }
};

} // namespace

MaterialList::MaterialList(std::span<const std::string_view> entries, const QString& prompt,
                           QWidget* parent)
    : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    lineEdit()->setValidator(new TypedTextValidator(this));
    setFocusPolicy(Qt::StrongFocus);
    setMaxVisibleItems(VisibleEntries);
    setItemDelegate(new EntryDelegate(this));
    for (std::string_view entry : entries) {
        addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    }
    setCurrentIndex(-1);
    setEditText(prompt);
}

void MaterialList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

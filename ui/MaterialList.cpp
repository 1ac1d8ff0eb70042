#include "MaterialList.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QLineEdit>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTouchEvent>
#include <QValidator>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int VisibleEntries = 8;
constexpr int RowPaddingPx = 2;
// A row a fingertip hits: four tenths of an inch of the screen.
constexpr double TouchRowInches = 0.4;

// The field accepts any typing, but none of it is ever complete input: the field then
// neither reports Enter nor finishes an edit, which is what would make the list select
// the entry that matches the typed text.
class TypedTextValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString&, int&) const override { return Intermediate; }
};

} // namespace

// Rows of the open list as high as a line of the list's font and a little room, so that
// the highlight does not touch the letters; opened by a finger, as tall as a fingertip.
class EntryDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(
            {size.height(), QFontMetrics(option.font).height() + RowPaddingPx, touchRowPx}));
        return size;
    }
    int touchRowPx = 0;
};

MaterialList::MaterialList(std::span<const std::string_view> entries, const QString& prompt,
                           QWidget* parent)
    : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    lineEdit()->setValidator(new TypedTextValidator(this));
    setFocusPolicy(Qt::StrongFocus);
    setMaxVisibleItems(VisibleEntries);
    delegate_ = new EntryDelegate(this);
    setItemDelegate(delegate_);
    // A touch is taken by the list, its field included, and handled here.
    for (QWidget* part : std::initializer_list<QWidget*>{this, lineEdit()}) {
        part->setAttribute(Qt::WA_AcceptTouchEvents);
        part->installEventFilter(this);
    }
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

// A finger's tap anywhere on the list opens it, with rows a fingertip hits; the field is
// not entered, so that no screen keyboard rises over the window. The mouse opens the rows
// as they always were.
bool MaterialList::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchCancel:
        // Accepted point by point, so that the rest of the touch comes here too.
        event->setAccepted(true);
        return true;
    case QEvent::TouchEnd:
        event->setAccepted(true);
        if (isEnabled()) {
            OpenRows(static_cast<int>(TouchRowInches * screen()->physicalDotsPerInch()));
        }
        return true;
    default:
        return QComboBox::eventFilter(watched, event);
    }
}

void MaterialList::showPopup() {
    OpenRows(0);
}

void MaterialList::OpenRows(int rowPx) {
    if (delegate_->touchRowPx != rowPx) {
        delegate_->touchRowPx = rowPx;
        view()->doItemsLayout();
    }
    QComboBox::showPopup();
}

#pragma once

#include "MainWindowControls.h"

#include <QString>
#include <QTest>

#include <array>
#include <functional>
#include <string_view>

// A user who does one thing after another at random on the main window, as the soak run
// and the window's fuzz target drive it: types, pastes and steps the spin edits' texts,
// sets them to values within their ranges and moves the focus into them, picks and types in the
// material lists, selects either operation, presses the buttons ("Exit" only where allowed), and
// picks an allowed pair of materials before pressing "Proces", so that runs go on. Every choice
// comes from `pick`, which gives a whole number from 0 to one less than it is asked for: a random
// generator's or the fuzzer's input.
class RandomUser {
  public:
    using Pick = std::function<int(int)>;

    RandomUser(const MainWindowControls& form, Pick pick, bool mayExit = false)
        : form_(form), pick_(std::move(pick)), mayExit_(mayExit) {}

    void Act() {
        SpinEdit* spinEdit = spinEdits_[static_cast<std::size_t>(pick_(Count(spinEdits_)))];
        QComboBox* list = pick_(2) == 0 ? form_.ComboBox1 : form_.ComboBox2;
        switch (pick_(10)) {
        case 0:
            QTest::keyClicks(spinEdit->lineEdit(), Text("0123456789+-,.$xXaF \r\b"));
            break;
        case 1:
            spinEdit->setText(Text("0123456789abcdefxX$+- ,.\t"));
            break;
        case 2:
            QTest::keyClick(spinEdit->lineEdit(), pick_(2) == 0 ? Qt::Key_Up : Qt::Key_Down);
            break;
        case 3:
            spinEdit->lineEdit()->setFocus();
            break;
        case 4:
            list->setCurrentIndex(pick_(12) - 1);
            break;
        case 5:
            QTest::keyClicks(list->lineEdit(), Text("0123456789+-,.$xXaF \r\b"));
            break;
        case 6:
            QTest::mouseClick(pick_(2) == 0 ? form_.RadioButton1 : form_.RadioButton2,
                              Qt::LeftButton);
            break;
        case 7:
            spinEdit->setText(QString::number(
                spinEdit->minimum() + pick_(spinEdit->maximum() - spinEdit->minimum() + 1)));
            break;
        case 8: {
            const int first = mayExit_ ? 0 : 1;
            QTest::mouseClick(buttons_[static_cast<std::size_t>(first + pick_(5 - first))],
                              Qt::LeftButton);
            break;
        }
        default:
            // Tools and workpieces with which every tool may work.
            form_.ComboBox1->setCurrentIndex(pick_(5));
            form_.ComboBox2->setCurrentIndex(3 + pick_(3));
            form_.Button3->click();
            break;
        }
    }

  private:
    template <class T, std::size_t N> static int Count(const std::array<T, N>&) {
        return static_cast<int>(N);
    }

    // Up to seven characters of `alphabet`.
    QString Text(std::string_view alphabet) {
        QString text;
        for (int length = pick_(8); length > 0; --length) {
            text += QChar::fromLatin1(
                alphabet[static_cast<std::size_t>(pick_(static_cast<int>(alphabet.size())))]);
        }
        return text;
    }

    const MainWindowControls& form_;
    Pick pick_;
    bool mayExit_;
    const std::array<SpinEdit*, 7> spinEdits_ = {form_.SpinEdit1, form_.SpinEdit2, form_.SpinEdit3,
                                                 form_.SpinEdit4, form_.SpinEdit5, form_.SpinEdit6,
                                                 form_.SpinEdit7};
    const std::array<QPushButton*, 5> buttons_ = {form_.Button1, form_.Button2, form_.Button3,
                                                  form_.Button4, form_.Button5};
};

#pragma once

#include "ImageView.h"
#include "Oscillograph.h"
#include "OscillographProbe.h"
#include "SpinEdit.h"
#include "Unit1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <stdexcept>
#include <string>

// The main window's controls, found by the numbered names they carry as object names, for
// the tests, the benchmark and the fuzz target, which drive the window as a user does.
struct MainWindowControls {
    template <class T> static T* Find(const TForm1& form, const char* name) {
        T* control = form.findChild<T*>(QString::fromLatin1(name));
        if (control == nullptr) {
            throw std::logic_error(std::string("the main window has no ") + name);
        }
        return control;
    }

    explicit MainWindowControls(TForm1& form) : Form(form) {}

    // Ticks of Timer1, delivered to its handler as the timer delivers them.
    void Tick(int count = 1) const {
        static const QMetaMethod timeout = QMetaMethod::fromSignal(&QTimer::timeout);
        for (int i = 0; i < count; ++i) {
            timeout.invoke(Timer1, Qt::DirectConnection);
        }
    }

    TForm1& Form;
    ImageView* const Image1 = Find<ImageView>(Form, "Image1");
    QPushButton* const Button1 = Find<QPushButton>(Form, "Button1");
    QPushButton* const Button2 = Find<QPushButton>(Form, "Button2");
    QPushButton* const Button3 = Find<QPushButton>(Form, "Button3");
    QPushButton* const Button4 = Find<QPushButton>(Form, "Button4");
    QPushButton* const Button5 = Find<QPushButton>(Form, "Button5");
    QLineEdit* const Edit1 = Find<QLineEdit>(Form, "Edit1");
    QLineEdit* const Edit2 = Find<QLineEdit>(Form, "Edit2");
    SpinEdit* const SpinEdit1 = Find<SpinEdit>(Form, "SpinEdit1");
    SpinEdit* const SpinEdit2 = Find<SpinEdit>(Form, "SpinEdit2");
    SpinEdit* const SpinEdit3 = Find<SpinEdit>(Form, "SpinEdit3");
    SpinEdit* const SpinEdit4 = Find<SpinEdit>(Form, "SpinEdit4");
    SpinEdit* const SpinEdit5 = Find<SpinEdit>(Form, "SpinEdit5");
    SpinEdit* const SpinEdit6 = Find<SpinEdit>(Form, "SpinEdit6");
    SpinEdit* const SpinEdit7 = Find<SpinEdit>(Form, "SpinEdit7");
    QRadioButton* const RadioButton1 = Find<QRadioButton>(Form, "RadioButton1");
    QRadioButton* const RadioButton2 = Find<QRadioButton>(Form, "RadioButton2");
    QComboBox* const ComboBox1 = Find<QComboBox>(Form, "ComboBox1");
    QComboBox* const ComboBox2 = Find<QComboBox>(Form, "ComboBox2");
    Oscillograph* const Chart1 = Find<Oscillograph>(Form, "Chart1");
    const OscillographProbe ChartProbe{*Chart1};
    QTimer* const Timer1 = Find<QTimer>(Form, "Timer1");
};

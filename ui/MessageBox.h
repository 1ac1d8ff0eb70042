#pragma once

#include "MessageKind.h"

#include <QString>
#include <QWidget>

// Where the program's beeps and boxes go. Tests install a sink that records
// them instead of sounding and blocking; without one the real beep and the
// real modal boxes are used.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Beep() = 0;
    virtual void Box(MessageKind kind, const QString& text) = 0;
    virtual void ErrorReport(const QString& caption, const QString& text) = 0;
};

// nullptr restores the real beep and boxes.
void SetMessageSink(MessageSink* sink);
MessageSink* CurrentMessageSink();

// The platform's default beep, played without waiting.
void SystemBeep();

// Every warning and error of the program: the beep first, then the modal box
// ("Warning" with the exclamation icon or "Error" with the stop icon, one "OK").
// Returns when the user has closed the box.
void ShowMessage(MessageKind kind, const QString& text);

// The box of ShowMessage without the beep, for a handler that must do something between
// the two (the tick stops the timer after the beep and before the breakage box).
void ShowMessageBox(MessageKind kind, const QString& text);

// The modal box itself, without a beep: icon, text wrapped at half the screen
// width, one "OK" button that is both default and escape, sized to its
// contents and centred on the screen. The error report uses it as well.
enum class BoxIcon { Exclamation, Stop };
void ShowModalBox(BoxIcon icon, const QString& caption, const QString& text);

// How a box waits for its user. On the desktop it runs an event loop of its own and
// ShowModalBox returns when the box is closed. A browser cannot run one event loop inside
// another: there ShowModalBox returns at once, and the box stays open, modal to the whole
// program, until the user closes it. Every handler shows its box as its last act, so the
// two come to the same: the windows cannot be used while the box is open, and the run
// goes on ticking and repainting beneath it. Tests may choose either.
enum class BoxWaiting { InItsOwnLoop, WithoutLoop };
void SetBoxWaiting(BoxWaiting waiting);

// The box of ShowModalBox that is open now, or nullptr.
QWidget* CurrentBox();

#pragma once

#include "MessageBox.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

// Takes the program's beeps, boxes and error reports instead of sounding and blocking,
// from its creation to its end: a failed assertion cannot leave the program's boxes
// pointing at a recorder that is gone. Each event is one line ("beep", "warning: TEXT",
// "error: TEXT", "report CAPTION: TEXT"), followed by what `note` says at that moment.
class MessageRecorder : public MessageSink {
  public:
    explicit MessageRecorder(std::function<std::string()> note = {}) : note_(std::move(note)) {
        previous_ = CurrentMessageSink();
        SetMessageSink(this);
    }
    ~MessageRecorder() override { SetMessageSink(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Beep() override {
        ++beeps;
        Record("beep");
    }
    void Box(MessageKind kind, const QString& text) override {
        ++boxes;
        if (onBox) {
            onBox();
        }
        Record((kind == MessageKind::Warning ? "warning: " : "error: ") + text.toStdString());
    }
    void ErrorReport(const QString& caption, const QString& text) override {
        ++reports;
        Record("report " + caption.toStdString() + ": " + text.toStdString());
    }

    std::vector<std::string> events;
    // Off for long runs that only count.
    bool keepEvents = true;
    int beeps = 0;
    int boxes = 0;
    int reports = 0;
    // Runs when a box opens, before it is recorded: what the handler has done by then.
    std::function<void()> onBox;

  private:
    void Record(std::string event) {
        if (keepEvents) {
            events.push_back(note_ ? event + note_() : event);
        }
    }

    std::function<std::string()> note_;
    MessageSink* previous_ = nullptr;
};

#pragma once

#include "ProgramError.h"

#include <QString>
#include <QTimer>

#include <concepts>
#include <exception>
#include <functional>
#include <utility>

// The program file's name without its directory and without everything from its
// first "."; the first character upper case, every later one lower case:
// "C:\\Apps\\SIMULATOR.EXE" -> "Simulator", "model.old.exe" -> "Model".
QString ProgramTitleFromPath(const QString& programPath);

// The caption of error reports: the title set with SetProgramTitle, or else the
// title of the running program's own file ("busenje" -> "Busenje").
QString ProgramTitle();
void SetProgramTitle(const QString& title);

// The message as the error report shows it: a full stop is added when the last
// character's code is above that of "." (46), so "... value" gets one and
// "...!" or "....": do not.
QString ErrorReportText(const QString& message);

// Reports an error that ended a handler: releases the mouse capture, then shows
// the message in a box with the program title as caption, the stop icon and
// "OK". No beep. Returns when the box is closed; the event loop goes on.
void ReportError(const ProgramError& error);

// Runs a handler at the boundary to Qt: an exception must never unwind through
// Qt's frames, so whatever escapes the handler is reported here. What the
// handler changed before the error stays changed.
template <class F> void RunGuarded(F& handler) noexcept {
    try {
        try {
            handler();
        } catch (const ProgramError& error) {
            ReportError(error);
        } catch (const std::exception& error) {
            ReportError(ProgramError(error.what()));
        } catch (...) {
            ReportError(ProgramError("Unknown error"));
        }
    } catch (...) {
        // The report itself failed (out of memory); nothing more can be shown.
    }
}

// Wraps a handler for QObject::connect. The wrapper takes the signal's
// arguments the handler accepts (none, or the leading ones).
template <class F> auto Guarded(F handler) {
    return [handler = std::move(handler)](
               auto&&... args) mutable -> void requires std::invocable<F&, decltype(args)...> {
        auto call = [&] { std::invoke(handler, std::forward<decltype(args)>(args)...); };
        RunGuarded(call);
    };
}

// The wrapper of a timer's handler: an error stops `timer` before it is
// reported, so an error that would repeat on every tick is reported once and
// no tick runs while the report is open.
template <class F> auto GuardedTick(QTimer* timer, F handler) {
    return [timer, handler = std::move(handler)]() mutable -> void {
        auto call = [&] {
            try {
                std::invoke(handler);
            } catch (...) {
                timer->stop();
                throw;
            }
        };
        RunGuarded(call);
    };
}

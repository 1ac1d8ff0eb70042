#pragma once

// The two kinds of message box: a warning, or an error that stops what the user asked for.
enum class MessageKind { Warning, Error };

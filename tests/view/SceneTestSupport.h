#pragma once

#include "ProgramError.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

// Runs a test in a fresh empty directory, so that frame files can be written, broken
// or left out without touching the pictures beside the test program.
class ScopedWorkingDirectory {
  public:
    ScopedWorkingDirectory() : previous_(QDir::currentPath()) {
        EXPECT_TRUE(directory_.isValid());
        EXPECT_TRUE(QDir::setCurrent(directory_.path()));
    }
    ~ScopedWorkingDirectory() { QDir::setCurrent(previous_); }
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

  private:
    QString previous_;
    QTemporaryDir directory_;
};

// A frame picture of one colour, 2H+1 wide and 370 high like the real ones, written
// as a 24-bit BMP under the given name in the working directory.
inline void WriteSolidFrame(const QString& name, int halfWidthPx, QRgb colour) {
    QImage picture(2 * halfWidthPx + 1, 370, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(name, "BMP"));
}

// Writes `content` as the whole file `name` in the working directory.
inline void WriteFile(const QString& name, const QByteArray& content) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// Runs `action` and expects it to raise a ProgramError with exactly `message`.
template <typename Action>
void ExpectProgramError(Action action, const char* message, const std::string& what) {
    try {
        action();
        ADD_FAILURE() << what << ": no error";
    } catch (const ProgramError& error) {
        EXPECT_STREQ(error.what(), message) << what;
    }
}

inline constexpr QRgb WhiteRgb = 0xffffffff;
inline constexpr QRgb SilverRgb = 0xffc0c0c0;
inline constexpr QRgb BlackRgb = 0xff000000;
inline constexpr QRgb BlueRgb = 0xff0000ff;

inline const char* ColourName(QRgb colour) {
    switch (colour) {
    case WhiteRgb:
        return "white";
    case SilverRgb:
        return "silver";
    case BlackRgb:
        return "black";
    case BlueRgb:
        return "blue";
    default:
        return "other";
    }
}

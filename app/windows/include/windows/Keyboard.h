#pragma once

#include "base/Language.h"
#include "widgets/WindowLook.h"
#include <QWidget>

#include <array>
#include <string>

namespace trelvik {

// What a click area does besides (or instead of) giving a letter.
enum class KeyAction { Letter, DeleteAll, Space, Backspace };

// One click area over the keyboard pictures. Geometry in twips; a letter of 0 means the key gives nothing.
struct KeyDef {
    int number; // the N of ImageN
    int left, top, width, height;
    KeyAction action;
    unsigned char russian; // Windows-1251 code
    char english;          // ASCII letter
    unsigned char swedish; // Windows-1252 code
};

inline constexpr int kKeyCount = 35;

// The 35 click areas in ascending number, which is also their stacking order from bottom to top.
const std::array<KeyDef, kKeyCount> &KeyTable() noexcept;

// The single-byte text a letter key adds for a language: one byte, or empty for a key with nothing on it.
std::string KeyCharacter(const KeyDef &key, Language language);

// What a screen reader calls a key when the source language is language: the letter it adds, "Space",
// "Backspace" or "Delete All", and "no letter" for a key that adds nothing in that language.
QString KeyName(const KeyDef &key, Language language);

// A transparent area over a keyboard picture that reports a click of the left mouse button.
class ClickArea : public QWidget {
    Q_OBJECT
public:
    explicit ClickArea(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace trelvik

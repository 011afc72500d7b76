#include "windows/Keyboard.h"

#include "qttext/QtText.h"
#include "widgets/Pressable.h"

#include <QMouseEvent>

namespace trelvik {

namespace {

constexpr int kSquare = 495;
constexpr std::array<int, 12> kColumn{2040, 2535, 3045, 3540, 4050, 4545, 5040, 5550, 6045, 6555, 7050, 7545};
constexpr std::array<int, 4> kRow{600, 1095, 1605, 2160};

constexpr KeyDef letter(int number, int row, int column, unsigned char russian, char english,
                        unsigned char swedish) noexcept
{
    return {number, kColumn[column], kRow[row], kSquare, kSquare, KeyAction::Letter, russian, english, swedish};
}

// Latin letters give the same code in English and Swedish; the Swedish-only letters are å (229), ö (246)
// and ä (228), and the Russian letters are the Windows-1251 codes of the small letters.
constexpr std::array<KeyDef, kKeyCount> kKeys{{
    letter(1, 0, 0, 233, 'q', 'q'),
    letter(2, 0, 1, 246, 'w', 'w'),
    letter(3, 0, 2, 243, 'e', 'e'),
    letter(4, 0, 3, 234, 'r', 'r'),
    letter(5, 0, 4, 229, 't', 't'),
    letter(6, 0, 5, 237, 'y', 'y'),
    letter(7, 0, 6, 227, 'u', 'u'),
    letter(8, 0, 7, 248, 'i', 'i'),
    letter(9, 0, 8, 249, 'o', 'o'),
    letter(10, 0, 9, 231, 'p', 'p'),
    letter(11, 0, 10, 245, 0, 229),
    letter(12, 0, 11, 250, 0, 0),
    letter(13, 1, 0, 244, 'a', 'a'),
    letter(14, 1, 1, 251, 's', 's'),
    letter(15, 1, 2, 226, 'd', 'd'),
    letter(16, 1, 3, 224, 'f', 'f'),
    letter(17, 1, 4, 239, 'g', 'g'),
    letter(18, 1, 5, 240, 'h', 'h'),
    letter(19, 1, 6, 238, 'j', 'j'),
    letter(20, 1, 7, 235, 'k', 'k'),
    letter(21, 1, 8, 228, 'l', 'l'),
    letter(22, 1, 9, 230, 0, 246),
    letter(23, 1, 10, 253, 0, 228),
    letter(26, 2, 1, 255, 'z', 'z'),
    letter(27, 2, 2, 247, 'x', 'x'),
    letter(28, 2, 3, 241, 'c', 'c'),
    letter(29, 2, 4, 236, 'v', 'v'),
    letter(30, 2, 5, 232, 'b', 'b'),
    letter(31, 2, 6, 242, 'n', 'n'),
    letter(32, 2, 7, 252, 'm', 'm'),
    letter(33, 2, 8, 225, 0, 0),
    letter(34, 2, 9, 254, 0, 0),
    {35, 7050, 1605, 975, kSquare, KeyAction::DeleteAll, 0, 0, 0},
    {37, 2040, 2160, 4455, kSquare, KeyAction::Space, 0, 0, 0},
    {38, 6480, 2160, 1575, kSquare, KeyAction::Backspace, 0, 0, 0},
}};

} // namespace

const std::array<KeyDef, kKeyCount> &KeyTable() noexcept
{
    return kKeys;
}

std::string KeyCharacter(const KeyDef &key, Language language)
{
    if (key.action == KeyAction::Space)
        return " ";
    if (key.action != KeyAction::Letter)
        return {};
    char code = 0;
    switch (language) {
    case Language::Russian: code = static_cast<char>(key.russian); break;
    case Language::English: code = key.english; break;
    case Language::Swedish: code = static_cast<char>(key.swedish); break;
    }
    return code ? std::string(1, code) : std::string();
}

QString KeyName(const KeyDef &key, Language language)
{
    switch (key.action) {
    case KeyAction::Space: return QStringLiteral("Space");
    case KeyAction::Backspace: return QStringLiteral("Backspace");
    case KeyAction::DeleteAll: return QStringLiteral("Delete All");
    case KeyAction::Letter: break;
    }
    const std::string letter = KeyCharacter(key, language);
    if (letter.empty())
        return QStringLiteral("no letter");
    return FromSingleByte(letter, CodePageOf(language));
}

ClickArea::ClickArea(QWidget *parent) : QWidget(parent)
{
    // Nothing of its own is drawn: the keyboard picture below shows the key.
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // A screen reader sees the key as a button and can press it; its name follows the source language.
    MakePressable(this, QAccessible::Button, [this] { emit clicked(); });
}

void ClickArea::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickArea::mouseReleaseEvent(QMouseEvent *event)
{
    // Like a button: the click counts only when the mouse is let go over the same key.
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

} // namespace trelvik

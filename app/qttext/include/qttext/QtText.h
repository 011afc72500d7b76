#pragma once

#include "base/CodePages.h"
#include "base/Text.h"

#include <QString>

#include <string>
#include <string_view>

namespace trelvik {

// Names the program (name and version) for Qt; call once after the application object.
void SetApplicationIdentity();

// Single-byte dictionary text as a QString.
QString FromSingleByte(std::string_view bytes, CodePage codePage);

// Makes typed or pasted text the letters it shows, as the core's NormaliseTypedText does. A cursor position, if
// given, moves with the text before it.
void NormaliseTypedText(QString &text, CodePage codePage, int *cursor = nullptr);

// QString as single-byte dictionary text, by the core's TypedToSingleByte. Returns false when the code page cannot
// hold a character: nothing is ever silently replaced. error then says which character and why, unfit receives the
// character itself.
bool ToSingleByte(const QString &text, CodePage codePage, std::string &bytes, QString *error = nullptr,
                  QString *unfit = nullptr);

// True when every character of text can be written in the code page.
bool FitsCodePage(const QString &text, CodePage codePage);

// The first character of text that the code page cannot hold (a surrogate pair counts as one character),
// or an empty string when all of it fits.
QString FirstUnfitCharacter(const QString &text, CodePage codePage);

// A status text or message of the engine or the user dictionary as a QString. These are plain ASCII apart
// from file names, which come in the local 8-bit encoding of the file system.
QString FromEngineMessage(std::string_view message);

} // namespace trelvik

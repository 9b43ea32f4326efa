// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding picture files into 32-bit bitmaps, with whatever formats Qt reads (BMP, PNG, JPEG, GIF,
// ICO, ...). Qt's allocation limit stays in force, so a huge or hostile file is refused as
// unreadable instead of exhausting memory. A BMP, JPEG or PNG cut short is unreadable too: Qt
// would make up its missing part.
#pragma once

#include "platform/Types.h"

class BBitmap;

class BTranslationUtils {
  public:
    // A new bitmap the caller owns, or nullptr when the file is missing or cannot be decoded.
    static BBitmap* GetBitmapFile(const char* path);
    // The picture's size as its header gives it, without decoding it; false when there is none.
    static bool GetImageSize(const char* path, int32* width, int32* height);
};

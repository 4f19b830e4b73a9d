#pragma once

#include "windows/documents/DocumentWindow.h"

// What the retail and wholesale windows share: the amount words, the keys'
// captions, the customer picker and the sales slip `TFdyxsd1`. Each fills in
// the rest of its own words.
DocumentWords salesDocumentWords();

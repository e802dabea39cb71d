// Texts from the program's string table. Each result is a new owned text
// written into `result` (not freed first); a missing string gives the empty text.
#pragma once

// Up to 1022 bytes, passed through DisplayText for the user's eyes.
void LoadResourceText(char*& result, unsigned int id);
// Up to 254 bytes, as the resource holds it.
void LoadRawResourceText(char*& result, unsigned int id);

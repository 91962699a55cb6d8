// app/UiFace.h
// The face every interface font is made in; it follows the language.
#pragma once

// "Meiryo UI" for language 1 (Japanese), "Arial" for every other index.
const char* UiFaceForLanguage(int languageIndex);
// The current face ("Arial" until a language is chosen). face must outlive the program:
// pass a literal or the result of UiFaceForLanguage. Fonts made earlier keep their face
// until ResourceHelper::SetLanguage re-creates them.
void SetUiFace(const char* face);
const char* GetUiFace();

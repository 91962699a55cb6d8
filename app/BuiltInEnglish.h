// app/BuiltInEnglish.h
// The English texts the program carries inside itself: "English.dat" as it was when the
// program was built (res/lang/English.dat.txt, embedded by the build), so they are that
// file's own words. They stand in for a key that "English.dat" lacks or leaves empty, and
// for a translated format that does not fit its arguments.
#pragma once
#include <string>
#include <utility>
#include <vector>

// The value of key in section [string], found without regard to case as the profile reader
// finds it (the first of repeated keys); empty when there is none.
std::wstring BuiltInEnglish(const std::wstring& key);
// Every key and value of section [string], in file order.
const std::vector<std::pair<std::wstring, std::wstring>>& BuiltInEnglishEntries();

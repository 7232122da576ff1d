// The whole-text wildcard match of the address books and the where-used
// search: "*" stands for any run of characters, "?" for any one; every other
// byte must be equal (case counts). The pattern must cover the whole text,
// and once the text's last character is matched the pattern must end there
// too: "abc*" matches "abcd" but not "abc", while "a*c" matches "ac". An
// empty text or pattern matches nothing.
#pragma once

// 1 when the text matches the pattern, else 0; both NUL-ended.
int MatchText(const char* text, const char* pattern);

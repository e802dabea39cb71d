// Integers written in kanji numerals.
#pragma once

// The value in kanji numerals as a new owned text: 0 is "零", 1999 is
// "千九百九十九"; values from 10000 on are written in groups of four digits
// with the units 万, 億, 兆 and 京, keeping "一" before those units (10000 is
// "一万"). A negative value is its magnitude after a full-width minus sign.
char* KanjiNumber(long long value);

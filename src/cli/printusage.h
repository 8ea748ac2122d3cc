#pragma once

namespace zorv::cli {

inline constexpr const char kPrintUsage[] =
    "zorv print ФАЙЛ -o ФАЙЛ.pdf [--hide-date] [--library | --application]   бумажная форма "
    "декларации в PDF; --hide-date оставляет клетки даты пустыми, --library строит 3-НДФЛ по "
    "расчету библиотеки отчетов, а не по файлу декларации, --application печатает заявление о "
    "возврате налога и опись прилагаемых документов";

// The library the print command lives in, beside the tool or in ../lib, and the
// function it exports.
inline constexpr const char kPrintModule[] = "libzorvprint.so";
inline constexpr const char kPrintEntry[] = "ZorvPrintCommand";

}  // namespace zorv::cli

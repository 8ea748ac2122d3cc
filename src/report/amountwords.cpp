#include "report/amountwords.h"

#include <cstdio>
#include <vector>

namespace zorv {
namespace {

const char* const kUnits[] = {"",     "один",  "два",  "три",    "четыре",
                              "пять", "шесть", "семь", "восемь", "девять"};
const char* const kUnitsFeminine[] = {"", "одна", "две"};
const char* const kTeens[] = {"десять",       "одиннадцать", "двенадцать",  "тринадцать",
                              "четырнадцать", "пятнадцать",  "шестнадцать", "семнадцать",
                              "восемнадцать", "девятнадцать"};
const char* const kTens[] = {"",          "",           "двадцать",  "тридцать",    "сорок",
                             "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
const char* const kHundreds[] = {"",        "сто",      "двести",  "триста",    "четыреста",
                                 "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};

// The groups of three digits above the units: the noun, and whether it is feminine.
struct Scale {
    const char* one;
    const char* few;
    const char* many;
    bool feminine;
};
const Scale kScales[] = {
    {"тысяча", "тысячи", "тысяч", true},
    {"миллион", "миллиона", "миллионов", false},
    {"миллиард", "миллиарда", "миллиардов", false},
    {"триллион", "триллиона", "триллионов", false},
    {"квадриллион", "квадриллиона", "квадриллионов", false},
    {"квинтиллион", "квинтиллиона", "квинтиллионов", false},
};

void Append(std::string& text, const char* word) {
    if (*word == '\0') return;
    if (!text.empty()) text += ' ';
    text += word;
}

// 1..999 in words.
std::string Triple(unsigned n, bool feminine) {
    std::string text;
    Append(text, kHundreds[n / 100]);
    const unsigned rest = n % 100;
    if (rest >= 10 && rest < 20) {
        Append(text, kTeens[rest - 10]);
    } else {
        Append(text, kTens[rest / 10]);
        const unsigned unit = rest % 10;
        Append(text, feminine && unit <= 2 ? kUnitsFeminine[unit] : kUnits[unit]);
    }
    return text;
}

}  // namespace

const char* PluralForm(uint64_t n, const char* one, const char* few, const char* many) {
    const uint64_t lastTwo = n % 100;
    if (lastTwo >= 11 && lastTwo <= 14) return many;
    switch (n % 10) {
        case 1:
            return one;
        case 2:
        case 3:
        case 4:
            return few;
        default:
            return many;
    }
}

std::string NumberInWords(uint64_t n, bool feminine) {
    if (n == 0) return "ноль";
    std::vector<unsigned> groups;  // the lowest first
    for (; n > 0; n /= 1000) groups.push_back(static_cast<unsigned>(n % 1000));
    std::string text;
    for (size_t i = groups.size(); i-- > 0;) {
        const unsigned group = groups[i];
        if (group == 0) continue;
        if (i == 0) {
            Append(text, Triple(group, feminine).c_str());
        } else {
            const Scale& scale = kScales[i - 1];
            Append(text, Triple(group, scale.feminine).c_str());
            Append(text, PluralForm(group, scale.one, scale.few, scale.many));
        }
    }
    return text;
}

std::string AmountInWords(Money amount) {
    const bool negative = amount < Money();
    // Ten-thousandths of a ruble, rounded half up to kopecks.
    const uint64_t raw = negative ? static_cast<uint64_t>(-(amount.Raw() + 1)) + 1
                                  : static_cast<uint64_t>(amount.Raw());
    const uint64_t kopecksTotal = raw / 100 + (raw % 100 >= 50 ? 1 : 0);
    const uint64_t rubles = kopecksTotal / 100;
    const unsigned kopecks = static_cast<unsigned>(kopecksTotal % 100);
    char figures[4];
    std::snprintf(figures, sizeof figures, "%02u", kopecks);
    std::string text = negative ? "минус " : "";
    text += NumberInWords(rubles) + " " + PluralForm(rubles, "рубль", "рубля", "рублей") + " " +
            figures + " " + PluralForm(kopecks, "копейка", "копейки", "копеек");
    return text;
}

}  // namespace zorv

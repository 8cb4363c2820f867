#include "data/file/XmlValues.h"

#include "data/file/XmlTokens.h"

std::optional<std::vector<std::int32_t>> NumberList(std::string_view text, bool allowListSeparators,
                                                    std::size_t& fault) {
    std::vector<std::int32_t> numbers;
    numbers.reserve(text.size() / 2);
    auto separates = [allowListSeparators](char c) {
        return IsXmlBlank(c) || (allowListSeparators && (c == ',' || c == ';'));
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (separates(text[i])) {
            ++i;
            continue;
        }
        fault = i;
        bool negative = false;
        if (text[i] == '+' || text[i] == '-')
            negative = text[i++] == '-';
        const std::size_t digits = i;
        std::int64_t value = 0;
        while (i < text.size() && xml_values::IsDigit(text[i])) {
            value = value * 10 + (text[i++] - '0');
            if (value > 2147483648LL)
                return std::nullopt;
        }
        if (i == digits || (i < text.size() && !separates(text[i])))
            return std::nullopt;
        value = negative ? -value : value;
        if (value > INT32_MAX)
            return std::nullopt;
        numbers.push_back(static_cast<std::int32_t>(value));
    }
    return numbers;
}

#pragma once
// Reading a plain text as a line list and writing a line list back, as the line functions and
// the editor exchange them. Does not know about word wrap: lines are the text's real lines.

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Lines held as one buffer of bytes and each line's place in it: splitting a text copies it
// once, and reordering, dropping or trimming lines moves no bytes. Two lists are equal when
// they hold the same lines in the same order.
class LineList {
public:
    class const_iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        const_iterator(const LineList* list, std::size_t line) : list(list), line(line) {}
        std::string_view operator*() const { return (*list)[line]; }
        const_iterator& operator++() {
            ++line;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return line == other.line; }

    private:
        const LineList* list;
        std::size_t line;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;

    LineList() = default;
    LineList(std::initializer_list<std::string_view> lines);

    std::size_t size() const { return places.size(); }
    bool empty() const { return places.empty(); }
    std::string_view operator[](std::size_t line) const {
        return std::string_view(bytes).substr(places[line].start, places[line].size);
    }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void push_back(std::string_view line);
    // The bytes of a line, to change in place; valid until the next push_back.
    std::span<char> Bytes(std::size_t line) {
        return std::span<char>(bytes.data() + places[line].start, places[line].size);
    }
    // Keeps `size` bytes of a line, from `offset` on (offset + size at most its size).
    void Narrow(std::size_t line, std::size_t offset, std::size_t size) {
        places[line].start += offset;
        places[line].size = size;
    }
    // The lines in a new order: place i gets line order[i]. Each line is named at most once;
    // those not named are dropped.
    void Select(const std::vector<std::size_t>& order);
    void Reverse();

    friend bool operator==(const LineList& a, const LineList& b);
    friend LineList SplitLines(std::string_view text);

private:
    struct Place {
        std::size_t start;
        std::size_t size;
    };
    std::string bytes;
    std::vector<Place> places;
};

// The lines of text, without their breaks. CR LF, a lone CR and a lone LF each end a line; a
// text that ends with a break has no empty last line ("a\r\n" is the one line "a"; "" none).
LineList SplitLines(std::string_view text);

// The lines in order, each followed by CR LF; empty for no lines.
std::string JoinLines(const LineList& lines);

// Every lone CR and lone LF becomes CR LF, as the editor stores a text it is given. A text that
// has none comes back as it is, without a copy when it was moved in.
std::string NormalizeLineBreaks(std::string text);

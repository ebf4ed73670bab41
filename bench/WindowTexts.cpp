// Prints the texts of a top-level window's child windows, one a line, for a
// script that checks from outside what a program shows. Run:
//
//     window_texts "title prefix"
//
// Exits 1 when no visible top-level window's title starts with the prefix.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    std::string prefix;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    char title[512] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (::IsWindowVisible(window) && std::string(title).rfind(search->prefix, 0) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK PrintText(HWND window, LPARAM)
{
    char text[4096] = {};
    ::GetWindowTextA(window, text, sizeof text);
    std::string line = text;
    // One line per window: its own line breaks become " | ".
    std::string out;
    for (char c : line) {
        if (c == '\r' || c == '\n')
            out += " | ";
        else
            out += c;
    }
    std::printf("%s\n", out.c_str());
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_texts \"title prefix\"\n");
        return 2;
    }
    Search search{argv[1]};
    ::EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    ::EnumChildWindows(search.found, &PrintText, 0);
    return 0;
}

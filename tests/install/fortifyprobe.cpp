// SPDX-License-Identifier: GPL-3.0-or-later
// Copies as many bytes as it has arguments into a buffer of known size; with
// _FORTIFY_SOURCE the compiler turns the copy into the checked __memcpy_chk.
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    char buffer[16] = {};
    std::memcpy(buffer, argv[0], static_cast<std::size_t>(argc));
    std::puts(buffer);
    return 0;
}

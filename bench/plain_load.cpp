#include "bench/plain_load.h"

#include <charconv>
#include <cstdio>
#include <cstring>

PlainPoints PlainLoad(const std::string& path, long lines) {
    PlainPoints points;
    points.x.reserve(static_cast<std::size_t>(lines));
    points.y.reserve(static_cast<std::size_t>(lines));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return points;
    }
    std::vector<char> buffer(std::size_t{1} << 20);
    std::size_t kept = 0;
    bool header = true;
    for (;;) {
        const std::size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, file);
        const char* p = buffer.data();
        const char* end = p + kept + got;
        for (;;) {
            const auto* lf =
                static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (lf == nullptr && got != 0) {
                break;
            }
            const char* lineEnd = lf != nullptr ? lf : end;
            if (p == lineEnd) {
                break;
            }
            if (header) {
                header = false;
            } else {
                double x = 0.0;
                double y = 0.0;
                const char* q = std::from_chars(p, lineEnd, x).ptr;
                while (q < lineEnd && *q == ' ') {
                    ++q;
                }
                std::from_chars(q, lineEnd, y);
                points.x.push_back(x);
                points.y.push_back(y);
            }
            p = lf != nullptr ? lf + 1 : end;
        }
        if (got == 0) {
            break;
        }
        kept = static_cast<std::size_t>(end - p);
        std::memmove(buffer.data(), p, kept);
    }
    std::fclose(file);
    return points;
}

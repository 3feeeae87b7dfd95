#pragma once

// What the fuzz targets of the file readers share: the input as a file the
// readers open by name, and the check that stops the run on a broken rule.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

// A memory file (memfd) reached through /proc/self/fd: a regular file to
// the readers, and nothing left on disk when the fuzzer stops.
inline const std::string& FuzzFile(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("trazel-fuzz", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0) {
        std::abort();
    }
    for (std::size_t done = 0; done < size;) {
        const ssize_t wrote = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (wrote <= 0) {
            std::abort();
        }
        done += static_cast<std::size_t>(wrote);
    }
    return path;
}

inline void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// A refusal must say why and name the file.
inline void RequireMessage(const std::string& message, const std::string& path) {
    Require(!message.empty() && message.find(path) != std::string::npos);
}

// What a reader of binary spectra gives for size bytes: at least two finite
// points and no more than the bytes hold (two a point at the least), or a
// refusal that says why, naming the file.
template <class Result>
void RequireSpectrumOrRefusal(const Result& result, const std::string& path, std::size_t size) {
    if (!result.Ok()) {
        RequireMessage(result.Message(), path);
        return;
    }
    const auto& spectrum = result.Value();
    Require(spectrum.x.size() == spectrum.y.size() && spectrum.x.size() >= 2 &&
            spectrum.x.size() <= size / 2);
    for (std::size_t i = 0; i < spectrum.x.size(); ++i) {
        Require(std::isfinite(spectrum.x[i]) && std::isfinite(spectrum.y[i]));
    }
}

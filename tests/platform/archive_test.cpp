#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "platform/archive.h"

using namespace trazel::platform;

namespace {

TEST(Archive, StoresLittleEndianAndLoadsItBack) {
    std::ostringstream out;
    CArchive store(out);
    store << std::int32_t{14000} << std::int32_t{-2} << 1.0;
    const std::string bytes = out.str();
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xB0\x36\x00\x00", 4));
    EXPECT_EQ(bytes.substr(4, 4), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(bytes.substr(8), std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8));

    std::istringstream in(bytes);
    CArchive load(in);
    std::int32_t a = 0;
    std::int32_t b = 0;
    double c = 0.0;
    load >> a >> b >> c;
    EXPECT_EQ(a, 14000);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(c, 1.0);
    EXPECT_TRUE(load.IsLoading());
    EXPECT_TRUE(store.IsStoring());
}

TEST(Archive, ShortReadThrows) {
    std::istringstream in(std::string("\x01\x02\x03", 3));
    CArchive load(in);
    std::int32_t value = 0;
    EXPECT_THROW(load >> value, CArchiveException);
}

// A stream whose device fails part-way, as a disk that answers EIO: the bytes
// before the failure arrive, then the read breaks.
class FailingBuffer : public std::streambuf {
  public:
    explicit FailingBuffer(std::string bytes) : bytes_(std::move(bytes)) {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

  protected:
    int_type underflow() override { throw std::ios_base::failure("EIO"); }

  private:
    std::string bytes_;
};

// Running out of bytes and failing to read them are different faults for the
// user: the first is a damaged file, the second a disk to look at.
TEST(Archive, ReadErrorIsNotAnEarlyEnd) {
    for (const std::size_t before : {0u, 2u}) {
        FailingBuffer buffer(std::string(before, 'x'));
        std::istream in(&buffer);
        CArchive load(in);
        std::int32_t value = 0;
        try {
            load >> value;
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_NE(std::string(e.what()).find("Error de lectura"), std::string::npos)
                << e.what();
        }
    }
}

TEST(Archive, WrongDirectionThrows) {
    std::istringstream in("abcd");
    CArchive load(in);
    EXPECT_THROW(load << 1.0, CArchiveException);
}

}  // namespace

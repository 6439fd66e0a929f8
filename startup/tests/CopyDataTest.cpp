#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "startup/CopyData.h"

namespace tvn {
namespace {

// A payload in a heap block of exactly its size, so that the sanitizers see any read
// beyond it. offset shifts the data off char16_t alignment.
struct Payload {
  std::unique_ptr<unsigned char[]> block;
  std::size_t size = 0;
  std::size_t offset = 0;
  const void* data() const { return block.get() + offset; }
};

Payload Bytes(std::u16string_view units, bool terminated, std::size_t offset = 0) {
  Payload p;
  p.size = (units.size() + (terminated ? 1 : 0)) * 2;
  p.offset = offset;
  p.block = std::make_unique<unsigned char[]>(p.size + offset);
  std::memcpy(p.block.get() + offset, units.data(), units.size() * 2);
  if (terminated) std::memset(p.block.get() + offset + units.size() * 2, 0, 2);
  return p;
}

TEST(CopyData, RejectsPayloadsOfAWrongSizeOrWithoutData) {
  const Payload p = Bytes(u"a.tvd", true);
  EXPECT_EQ(CopyDataText(nullptr, p.size), std::nullopt) << "no data";
  EXPECT_EQ(CopyDataText(p.data(), 0), std::nullopt) << "empty";
  EXPECT_EQ(CopyDataText(p.data(), 1), std::nullopt) << "below one code unit";
  EXPECT_EQ(CopyDataText(p.data(), p.size - 1), std::nullopt) << "odd";
  const Payload big = Bytes(std::u16string(kMaxCopyDataBytes / 2, u'x'), true);
  EXPECT_EQ(CopyDataText(big.data(), big.size), std::nullopt) << "too large";
  EXPECT_EQ(CopyDataFileName(big.data(), big.size), std::nullopt);
}

TEST(CopyData, TakesTheCodeUnitsUpToTheFirstNul) {
  const struct {
    const char* what;
    std::u16string units;
    bool terminated;
    std::u16string text;
  } cases[] = {
      {"terminated", u"C:\\Hörbücher\\a.tvd", true, u"C:\\Hörbücher\\a.tvd"},
      {"cut at an inner NUL", std::u16string(u"a.tvd\0b.tvd", 11), true, u"a.tvd"},
      {"no terminator: read within the size only", u"a.tvd", false, u"a.tvd"},
      {"only the NUL", u"", true, u""},
  };
  for (const auto& c : cases) {
    for (std::size_t offset : {0, 1}) {
      const Payload p = Bytes(c.units, c.terminated, offset);
      EXPECT_EQ(CopyDataText(p.data(), p.size), c.text) << c.what << " offset " << offset;
    }
  }
  // The largest accepted payload, without any NUL.
  const Payload largest = Bytes(std::u16string(kMaxCopyDataBytes / 2, u'y'), false);
  const auto text = CopyDataText(largest.data(), largest.size);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->size(), kMaxCopyDataBytes / 2);
}

TEST(CopyData, FileNameIsTheFirstParameter) {
  const struct {
    const char* what;
    std::u16string_view text;
    std::optional<std::u16string> name;
  } cases[] = {
      {"one name", u"C:\\a.tvd", u"C:\\a.tvd"},
      {"two names open the first", u"C:\\a.tvd|C:\\b.tvd", u"C:\\a.tvd"},
      {"leading separators", u"||C:\\a.tvd", u"C:\\a.tvd"},
      {"untrimmed, cleaned when opened", u" \"C:\\a.tvd\" ", u" \"C:\\a.tvd\" "},
      {"blank", u" \t ", std::nullopt},
      {"separators only", u"|||", std::nullopt},
      {"empty", u"", std::nullopt},
  };
  for (const auto& c : cases) {
    const Payload p = Bytes(c.text, true);
    EXPECT_EQ(CopyDataFileName(p.data(), p.size), c.name) << c.what;
  }
}

TEST(CopyData, WhatASecondStartSendsArrivesAsItsName) {
  const std::u16string sent = CopyDataSendText(u"  C:\\Bücher\\a.tvd \r\n", {u"ignored"});
  EXPECT_EQ(sent, u"C:\\Bücher\\a.tvd");
  EXPECT_EQ(CopyDataByteSize(sent), (sent.size() + 1) * 2);
  EXPECT_EQ(CopyDataFileName(sent.c_str(), CopyDataByteSize(sent)), sent);

  EXPECT_EQ(CopyDataSendText(u"", {u" a.tvd ", u"b.tvd"}), u"a.tvd|b.tvd");
  EXPECT_EQ(CopyDataSendText(u"", {u" "}), u"") << "nothing is sent";
}

TEST(CopyData, ARunningInstanceTakesOneNameAtATime) {
  const Payload p = Bytes(u"C:\\a.tvd", true);
  EXPECT_EQ(AcceptCopyData(true, u"", p.data(), p.size), u"C:\\a.tvd");
  EXPECT_EQ(AcceptCopyData(false, u"", p.data(), p.size), std::nullopt) << "window not ready";
  EXPECT_EQ(AcceptCopyData(true, u"C:\\b.tvd", p.data(), p.size), std::nullopt)
      << "a second name is dropped while one waits";
  EXPECT_EQ(AcceptCopyData(true, u"", p.data(), p.size - 1), std::nullopt);
}

}  // namespace
}  // namespace tvn

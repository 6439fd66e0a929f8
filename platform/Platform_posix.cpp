// POSIX version of the platform layer: lets the core be tested, fuzzed and measured
// natively. It behaves like the Win32 version on everything the tests look at.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwctype>
#include <locale.h>
#include <memory>
#include <random>
#include <string>

#include "platform/Platform.h"
#include "platform/Cp1252.h"
#include "platform/Utf16.h"

namespace tvn::platform {
namespace {

FileStep g_failAt = FileStep::None;

bool ShouldFail(FileStep step) {
  if (g_failAt != step) return false;
  g_failAt = FileStep::None;
  return true;
}

std::string NativePath(const std::u16string& path) { return ToUtf8(path); }

std::u16string SystemMessage(int code) { return FromUtf8(std::strerror(code)); }

// Case tables for the whole BMP, built once from the C library's Unicode data.
using TCaseMap = wint_t (*)(wint_t, locale_t);
std::unique_ptr<char16_t[]> CaseTable(TCaseMap map, char asciiFrom, int asciiShift) {
  auto t = std::make_unique<char16_t[]>(0x10000);
  locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  for (unsigned c = 0; c < 0x10000; ++c) {
    unsigned mapped = c;
    bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (loc && !surrogate) mapped = static_cast<unsigned>(map(static_cast<wint_t>(c), loc));
    if (c < 0x80) {
      const bool inRange = c >= static_cast<unsigned>(asciiFrom) && c < asciiFrom + 26u;
      mapped = inRange ? static_cast<unsigned>(static_cast<int>(c) + asciiShift) : c;
    }
    t[c] = mapped < 0x10000 ? static_cast<char16_t>(mapped) : static_cast<char16_t>(c);
  }
  if (loc) freelocale(loc);
  return t;
}

const char16_t* LowerTable() {
  static const std::unique_ptr<char16_t[]> table = CaseTable(towlower_l, 'A', 32);
  return table.get();
}

const char16_t* UpperTable() {
  static const std::unique_ptr<char16_t[]> table = CaseTable(towupper_l, 'a', -32);
  return table.get();
}

std::u16string MapCase(std::u16string_view text, const char16_t* table) {
  std::u16string out(text.size(), u'\0');
  for (size_t i = 0; i < text.size(); ++i) out[i] = table[text[i]];
  return out;
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int Close() {
    int rc = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view content) {
  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string UniqueTempName(const std::string& dir, unsigned value) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", value & 0xFFFF);
  return dir + "/TVN" + hex + ".TMP";
}

}  // namespace

std::u16string LowerCaseLocale(std::u16string_view text) { return MapCase(text, LowerTable()); }

std::u16string UpperCaseLocale(std::u16string_view text) { return MapCase(text, UpperTable()); }

char16_t LowerCaseChar(char16_t c) { return LowerTable()[c]; }

double Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // Days from civil date (proleptic Gregorian), shifted to the 1899-12-30 epoch.
  int y = local.tm_year + 1900, m = local.tm_mon + 1, d = local.tm_mday;
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days1970 = era * 146097L + static_cast<long>(doe) - 719468L;
  return static_cast<double>(days1970 + 25569);
}

TFileBuffer::~TFileBuffer() {
  if (data_) ::munmap(data_, capacity_);
}

bool TFileBuffer::Read(const std::u16string& path, std::u16string& error) {
  Fd fd(::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st {};
  if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) {
    int code = fd.get() < 0 ? errno : EISDIR;
    error = u"Datei " + path + u" kann nicht geöffnet werden. " + SystemMessage(code);
    return false;
  }
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  capacity_ = (static_cast<size_t>(st.st_size) + page) / page * page;
  void* p = ::mmap(nullptr, capacity_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) {
    capacity_ = 0;
    error = u"Datei " + path + u" kann nicht geöffnet werden. " + SystemMessage(errno);
    return false;
  }
  data_ = static_cast<char*>(p);
  // Large pages make filling a big buffer far cheaper; the advice is only a hint.
  ::madvise(data_, capacity_, MADV_HUGEPAGE);
  size_ = 0;
  while (size_ < capacity_) {
    ssize_t n = ::read(fd.get(), data_ + size_, capacity_ - size_);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = u"Stream-Lesefehler";
      return false;
    }
    if (n == 0) break;
    size_ += static_cast<size_t>(n);
  }
  return true;
}

void TFileBuffer::ReleaseBefore(size_t offset) {
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const size_t end = std::min(offset, size_) / page * page;
  if (end <= released_) return;
  ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

// The POSIX build stands in for a Western European Windows.
std::string ToAnsiCodePage(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const int b = Cp1252Byte(text[i]);
    bytes += b >= 0 ? static_cast<char>(b) : '?';
    // A surrogate pair is one character and gets one replacement.
    if (b < 0 && text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() &&
        text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      ++i;
    }
  }
  return bytes;
}

bool ReplaceFileAtomically(const std::u16string& path, std::string_view content,
                           std::u16string& error) {
  const std::u16string absolute = AbsolutePath(path);
  const std::string target = NativePath(absolute);
  const std::string dir = NativePath(ExtractFileDir(absolute));

  std::string temp;
  int fdValue = -1;
  std::random_device seed;
  unsigned start = seed();
  for (unsigned k = 0; k < 0x10000 && fdValue < 0; ++k) {
    temp = UniqueTempName(dir, start + k);
    fdValue = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fdValue < 0 && errno != EEXIST) break;
  }
  if (fdValue < 0 || ShouldFail(FileStep::CreateTemp)) {
    int code = fdValue < 0 ? errno : ENOSPC;
    if (fdValue >= 0) {
      ::close(fdValue);
      ::unlink(temp.c_str());
    }
    error = SystemErrorText(code);
    return false;
  }
  Fd fd(fdValue);
  auto fail = [&](std::u16string text) {
    fd.Close();
    ::unlink(temp.c_str());
    error = std::move(text);
    return false;
  };
  if (ShouldFail(FileStep::Write) || !WriteAll(fd.get(), content)) {
    return fail(u"Stream-Schreibfehler");
  }
  if (ShouldFail(FileStep::Flush) || ::fsync(fd.get()) != 0) {
    return fail(SystemErrorText(errno ? errno : EIO));
  }
  if (fd.Close() != 0) return fail(SystemErrorText(errno));
  if (ShouldFail(FileStep::Move) || ::rename(temp.c_str(), target.c_str()) != 0) {
    int code = errno ? errno : EIO;
    ::unlink(temp.c_str());
    error = SystemErrorText(code);
    return false;
  }
  // The rename is durable only once the folder entry is on disk.
  Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.get() >= 0) ::fsync(dirFd.get());
  return true;
}

// Like GetFullPathNameW: joins the current folder and removes "." and ".." parts,
// without asking the file system.
std::u16string AbsolutePath(const std::u16string& path) {
  if (path.empty()) return path;
  std::u16string full = path;
  if (path[0] != u'/') {
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd)) return path;
    full = FromUtf8(cwd) + u"/" + path;
  }
  std::u16string out;
  size_t i = 0;
  while (i < full.size()) {
    size_t j = full.find(u'/', i);
    if (j == std::u16string::npos) j = full.size();
    std::u16string_view part(full.data() + i, j - i);
    if (part == u"..") {
      size_t cut = out.rfind(u'/');
      out.resize(cut == std::u16string::npos ? 0 : cut);
    } else if (!part.empty() && part != u".") {
      out += u'/';
      out += part;
    }
    i = j + 1;
  }
  if (out.empty() || full.back() == u'/') out += u'/';
  return out;
}

bool FileExists(const std::u16string& path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::u16string& path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::u16string& path) { return ::unlink(NativePath(path).c_str()) == 0; }

char16_t PathSeparator() { return u'/'; }
bool IsPathSeparator(char16_t c) { return c == u'/'; }

void FailNextReplaceAt(FileStep step) { g_failAt = step; }

// A first touch of a 4 KiB page costs microseconds on virtual machines; a list of a
// million entries touches some 130 000 of them.
void UseLargeHeapPages(char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
  constexpr const char* kTunable = "glibc.malloc.hugetlb";
  const char* set = std::getenv("GLIBC_TUNABLES");
  if (set && std::strstr(set, kTunable)) return;  // chosen already, or by the user
  std::string value = set && *set ? std::string(set) + ":" : std::string();
  value += std::string(kTunable) + "=1";
  if (::setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0) return;
  ::execv("/proc/self/exe", argv);
  // Still here: no restart, so no large pages either.
  if (set) {
    ::setenv("GLIBC_TUNABLES", set, 1);
  } else {
    ::unsetenv("GLIBC_TUNABLES");
  }
#else
  (void)argv;
#endif
}

std::vector<std::u16string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(FromUtf8(argv[i]));
  return args;
}

std::u16string SystemErrorText(long code) {
  return u"Systemfehler.  Code: " + IntToText(code) + u".\r\n" + SystemMessage(static_cast<int>(code));
}

}  // namespace tvn::platform

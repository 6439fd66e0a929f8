// The few operating-system services the portable core needs. One header, two
// implementations: Platform_win32.cpp for the program, Platform_posix.cpp for native
// tests, fuzzing and benchmarks. Texts are UTF-16; failures come back as the
// runtime-style German texts the program shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvn::platform {

// Lower case by the rules of the user's locale, with linguistic casing.
std::u16string LowerCaseLocale(std::u16string_view text);
std::u16string UpperCaseLocale(std::u16string_view text);
// One code unit lower-cased by itself: A to Z directly, other characters by the
// system's character case mapping (file-name comparison).
char16_t LowerCaseChar(char16_t c);

// The text in the system's ANSI code page; characters the code page lacks become the
// conversion's replacement character ("?"), never a look-alike letter.
std::string ToAnsiCodePage(std::u16string_view text);

// Today as a whole day number counted from 1899-12-30.
double Today();

// Reads a whole file into memory, shared with readers only.
bool ReadWholeFile(const std::u16string& path, std::string& bytes, std::u16string& error);

// The content of a whole file, read in one piece into memory of its own. A parser hands
// back the pages it has passed, so a large file does not stay in memory beside what was
// built from it.
class TFileBuffer {
 public:
  TFileBuffer() = default;
  ~TFileBuffer();
  TFileBuffer(const TFileBuffer&) = delete;
  TFileBuffer& operator=(const TFileBuffer&) = delete;

  bool Read(const std::u16string& path, std::u16string& error);
  std::string_view View() const { return {data_, size_}; }
  // The bytes before `offset` are not read again.
  void ReleaseBefore(size_t offset);

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
  size_t released_ = 0;
};

// Writes content to a new unique "TVN….TMP" file in the target's folder, flushes it and
// moves it onto the target with replace and write-through. On failure the temporary file
// is removed and the target is untouched.
bool ReplaceFileAtomically(const std::u16string& path, std::string_view content,
                           std::u16string& error);

std::u16string AbsolutePath(const std::u16string& path);
bool FileExists(const std::u16string& path);
bool DirectoryExists(const std::u16string& path);
bool RemoveFile(const std::u16string& path);
char16_t PathSeparator();
bool IsPathSeparator(char16_t c);
// Part after the last separator (empty for a folder path ending in one).
std::u16string ExtractFileName(const std::u16string& path);
std::u16string ExtractFileDir(const std::u16string& path);

// Lets a tool that builds large lists take its heap in large memory pages where the
// system needs a restart for that (glibc reads its tunables only when a process starts,
// so the process replaces itself once with them set). Elsewhere, and should the restart
// fail, it does nothing and the process goes on as before. Call first thing in main.
void UseLargeHeapPages(char** argv);

// The program's arguments as UTF-16, argv[0] excluded (Windows reads its wide command line).
std::vector<std::u16string> CommandLineArguments(int argc, char** argv);

// Test seam: the next replacement fails at the given step, as a full disk or a failing
// device would make it fail.
enum class FileStep { None, CreateTemp, Write, Flush, Move };
void FailNextReplaceAt(FileStep step);

// The runtime's text for a failed system call: "Systemfehler.  Code: %d.\r\n%s%s".
std::u16string SystemErrorText(long code);

}  // namespace tvn::platform

#include "support/win32_process.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace zorvane::testing {

namespace {

// Quotes one argument so that the C runtime's parser gives it back unchanged.
std::string quote(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, '\\');
    quoted.push_back('"');
    return quoted;
}

// An inheritable temporary file that is deleted when its last handle goes.
class CaptureFile {
public:
    CaptureFile()
    {
        static std::atomic<int> counter{0};
        char temp[MAX_PATH + 1];
        ::GetTempPathA(sizeof temp, temp);
        m_path = std::string(temp) + "zorvane-capture-" + std::to_string(::GetCurrentProcessId()) + "-"
                 + std::to_string(counter++) + ".out";
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        m_handle = ::CreateFileA(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (m_handle == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot create " + m_path);
    }
    ~CaptureFile() { ::CloseHandle(m_handle); }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    HANDLE handle() const { return m_handle; }

    std::string contents() const
    {
        std::string text;
        ::SetFilePointer(m_handle, 0, nullptr, FILE_BEGIN);
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(m_handle, buffer, sizeof buffer, &got, nullptr) && got > 0)
            text.append(buffer, got);
        return text;
    }

private:
    std::string m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

}  // namespace

Win32ProcessResult runWin32Process(const std::string& program, const std::vector<std::string>& arguments,
                                   const std::string& workingDirectory)
{
    std::string commandLine = quote(program);
    for (const auto& argument : arguments)
        commandLine += " " + quote(argument);

    CaptureFile out;
    CaptureFile err;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE input = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                       OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = out.handle();
    startup.hStdError = err.handle();
    PROCESS_INFORMATION process{};
    // Wine, busy starting other programs, now and then fails a start with an
    // internal error (1359) that a second try does not meet.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        if (attempt > 0)
            ::Sleep(200);
        started = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &process);
    }
    if (input != INVALID_HANDLE_VALUE)
        ::CloseHandle(input);
    if (!started)
        throw std::runtime_error("CreateProcessA failed for " + program + ": error " + std::to_string(::GetLastError()));
    Win32ProcessResult result;
    if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 124);  // hung: end it, and the test fails on the code
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = code;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    result.out = out.contents();
    result.err = err.contents();
    return result;
}

}  // namespace zorvane::testing

// ModuleSimulator, ModuleSimulatorTest: the test program's gateway module simulator (tests/support/module_simulator.py) and a fixture over it.
#pragma once

#include <winsock2.h>

#include "framework/strings.h"
#include "support/test_dirs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// One request the simulator received: "tcp" (all bytes of one text-service
// connection) or "http" (one whole HTTP request).
struct SimulatorRecord {
    std::string service;
    std::string bytes;
};

// Talks to the simulator that the test command started for this test program
// (korvane_test(... MODULE_SIMULATOR)) through its control port. Every
// operation throws std::runtime_error when the simulator cannot be reached.
class ModuleSimulator {
public:
    static constexpr unsigned short kControlPort = 8999;

    ModuleSimulator()
    {
        WSADATA data = {};
        if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
            throw std::runtime_error("WSAStartup failed");
        m_address = ReadAddress();
    }
    ~ModuleSimulator() { ::WSACleanup(); }
    ModuleSimulator(const ModuleSimulator&) = delete;
    ModuleSimulator& operator=(const ModuleSimulator&) = delete;

    // The simulated module's address (127.0.0.N).
    const CString& Address() const { return m_address; }

    void Reset() { Expect("reset"); }
    // service "tcp", "http", "module" or "download"; mode as the simulator names it ("none" ends a failure).
    void Fail(const std::string& service, const std::string& mode) { Expect("fail " + service + " " + mode); }
    void SetTcpReply(const std::string& request, const std::string& reply)
    {
        Expect("reply tcp " + request + " " + ToHex(reply));
    }
    void SetHttpReply(const std::string& verb, const std::string& body) { Expect("reply http " + verb + " " + ToHex(body)); }
    void SetProduct(const std::string& name) { Expect("set product " + name); }
    void SetRebootSeconds(double seconds) { Expect("set reboot " + std::to_string(seconds)); }
    void SetConfig(const std::string& name, const std::string& bytes) { Expect("set config " + name + " " + ToHex(bytes)); }
    // File bytes per frame of an upload over the text service (more than 4096 gives frames too long).
    void SetFrameBytes(int bytes) { Expect("set frame " + std::to_string(bytes)); }
    // Every text-service reply goes out in pieces, seconds apart.
    void SetTrickle(int pieces, double seconds)
    {
        Expect("set trickle " + std::to_string(pieces) + " " + std::to_string(seconds));
    }
    // The reason a refused download carries (words separated by single blanks).
    void SetRefusal(const std::string& text) { Expect("set refusal " + text); }
    // The value a tag keeps; the values of the others move with the seconds unless still.
    void SetTagValue(const std::string& tag, const std::string& value) { Expect("set value " + tag + " " + value); }
    void SetValuesStill(bool still) { Expect(std::string("set values ") + (still ? "still" : "changing")); }
    std::string Config(const std::string& name) { return FromHex(Trim(Command("config " + name))); }

    std::vector<SimulatorRecord> Records()
    {
        std::vector<SimulatorRecord> records;
        const std::string answer = Command("records");
        size_t start = 0;
        while (start < answer.size()) {
            size_t end = answer.find('\n', start);
            if (end == std::string::npos)
                end = answer.size();
            const std::string line = answer.substr(start, end - start);
            const size_t blank = line.find(' ');
            if (blank == std::string::npos)
                throw std::runtime_error("bad record line: " + line);
            records.push_back({line.substr(0, blank), FromHex(line.substr(blank + 1))});
            start = end + 1;
        }
        return records;
    }
    // The bytes of every record of one service, in order.
    std::vector<std::string> Requests(const std::string& service)
    {
        std::vector<std::string> requests;
        for (const SimulatorRecord& record : Records())
            if (record.service == service)
                requests.push_back(record.bytes);
        return requests;
    }

    // One control command; the simulator's answer.
    std::string Command(const std::string& line)
    {
        SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (s == INVALID_SOCKET)
            throw std::runtime_error("no socket for the simulator's control port");
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_port = ::htons(kControlPort);
        address.sin_addr.s_addr = ::inet_addr(m_address);
        std::string answer;
        bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        const std::string request = line + "\n";
        ok = ok && ::send(s, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size());
        char piece[65536];
        int got = 0;
        while (ok && (got = ::recv(s, piece, sizeof piece, 0)) > 0)
            answer.append(piece, static_cast<size_t>(got));
        ::closesocket(s);
        if (!ok || got < 0)
            throw std::runtime_error("the module simulator does not answer at " + std::string(m_address) + ":8999");
        return answer;
    }

    static std::string ToHex(const std::string& bytes)
    {
        if (bytes.empty())
            return "-";
        static const char digits[] = "0123456789abcdef";
        std::string hex;
        for (unsigned char c : bytes) {
            hex += digits[c >> 4];
            hex += digits[c & 15];
        }
        return hex;
    }
    static std::string FromHex(const std::string& hex)
    {
        std::string bytes;
        if (hex == "-")
            return bytes;
        for (size_t i = 0; i + 1 < hex.size(); i += 2)
            bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        return bytes;
    }

private:
    static CString ReadAddress()
    {
        const CString path = CString(SimulatorStateDir()) + "\\address";
        char text[64] = {};
        FILE* f = fopen(path, "rb");
        if (f) {
            fread(text, 1, sizeof text - 1, f);
            fclose(f);
        }
        CString address(text);
        address.Trim();
        if (address.IsEmpty())
            throw std::runtime_error("the module simulator is not running (no " + std::string(path)
                                     + "); the test command starts it: ctest or scripts/test.sh");
        return address;
    }
    static std::string Trim(std::string text)
    {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        return text;
    }
    void Expect(const std::string& line)
    {
        const std::string answer = Command(line);
        if (answer != "ok\n")
            throw std::runtime_error("simulator command \"" + line.substr(0, 80) + "\" answered " + answer);
    }

    CString m_address;
};

// Tests against the simulator: each starts with the simulator reset. A test
// fails, never skips, when the simulator is not there.
class ModuleSimulatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        try {
            m_simulator = std::make_unique<ModuleSimulator>();
            m_simulator->Reset();
        } catch (const std::exception& e) {
            FAIL() << e.what();
        }
    }

    ModuleSimulator& Simulator() { return *m_simulator; }
    const CString& ModuleAddress() const { return m_simulator->Address(); }

private:
    std::unique_ptr<ModuleSimulator> m_simulator;
};

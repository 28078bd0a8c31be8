// ZelkoPenSim.exe: the pen simulator at a console, for trying the test build by hand. Reads one
// command a line from standard input:
//   attach <name> [vid pid usage-page usage version]   (numbers in hex; default: a pen)
//   unplug <name> | plug <name> | refuse <name> on|off
//   scan <name> <text> [gap-ms]                        (typed with a marker report)
//   outputs <name> | list | handover on|off | quit

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "pensim/simulated_pen.h"

namespace {

using zelko::pensim::HandoverMutexHold;
using zelko::pensim::PenIdentity;
using zelko::pensim::SimulatedPen;

std::wstring widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::uint16_t hexField(std::istringstream& in, std::uint16_t fallback) {
    std::string field;
    if (!(in >> field)) {
        return fallback;
    }
    return static_cast<std::uint16_t>(std::stoul(field, nullptr, 16));
}

}  // namespace

int wmain() {
    std::map<std::string, std::unique_ptr<SimulatedPen>> pens;
    std::unique_ptr<HandoverMutexHold> handover;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command, name;
        in >> command >> name;
        try {
            if (command == "quit") {
                break;
            } else if (command == "attach" && !name.empty()) {
                PenIdentity identity;
                identity.vendorId = hexField(in, identity.vendorId);
                identity.productId = hexField(in, identity.productId);
                identity.usagePage = hexField(in, identity.usagePage);
                identity.usage = hexField(in, identity.usage);
                identity.version = hexField(in, identity.version);
                pens[name] = std::make_unique<SimulatedPen>(widen(name), identity);
                std::wcout << L"attached " << pens[name]->path() << std::endl;
            } else if (command == "handover") {
                if (name == "on") {
                    handover = std::make_unique<HandoverMutexHold>();
                } else {
                    handover.reset();
                }
                std::cout << "handover " << (handover ? "held" : "released") << std::endl;
            } else if (command == "list") {
                for (const auto& published : zelko::pensim::publishedInterfaces()) {
                    std::wcout << published.path << L" " << std::hex << published.identity.vendorId
                               << L" " << published.identity.productId << L" "
                               << published.identity.usagePage << L" " << published.identity.usage
                               << std::dec << std::endl;
                }
            } else if (pens.count(name) == 0) {
                std::cout << "unknown command or pen" << std::endl;
            } else if (command == "unplug") {
                pens[name]->unplug();
            } else if (command == "plug") {
                pens[name]->plugIn();
            } else if (command == "refuse") {
                std::string state;
                in >> state;
                pens[name]->setRefuseOutput(state == "on");
            } else if (command == "scan") {
                std::string text;
                unsigned gapMs = 0;
                in >> text >> gapMs;
                zelko::pensim::ScanTyping typing;
                typing.gapMicroseconds = gapMs * 1000;
                std::cout << (pens[name]->typeScan(text, typing) ? "typed" : "cannot type")
                          << std::endl;
            } else if (command == "outputs") {
                for (const auto& report : pens[name]->outputReports()) {
                    std::printf("%lld handle %d:", report.microseconds, report.handle);
                    for (auto byte : report.bytes) {
                        std::printf(" %02X", byte);
                    }
                    std::printf("\n");
                }
                std::fflush(stdout);
            }
        } catch (const std::exception&) {
            std::cout << "bad command" << std::endl;
        }
    }
    return 0;
}

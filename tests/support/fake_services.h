// Services for a window under test: every message box recorded and answered as
// told, no real dialog, the drives and the registry given by the test.
#pragma once

#include "controls/services.h"

#include <QStringList>
#include <algorithm>
#include <deque>

namespace testing_support {

struct Shown {
    QString prompt;
    controls::Buttons buttons;
    QString details;
};

class FakeServices {
public:
    FakeServices()
    {
        services = controls::Services::native();
        services.message = [this](QWidget *, const QString &prompt, controls::Buttons buttons, const QString &details) {
            shown.push_back({prompt, buttons, details});
            if (buttons == controls::Buttons::Ok)
                return controls::Answer::Ok;
            if (answers.empty())
                return controls::Answer::No;
            const controls::Answer answer = answers.front();
            answers.pop_front();
            return answer;
        };
        services.saveFile = [this](QWidget *, const controls::SaveRequest &request) {
            saveRequests.push_back(request);
            return saveAnswer;
        };
        services.drives = [this] { return drives; };
        services.registry.openKey = [](sys::RegKey, const char *, std::uint32_t, std::uint32_t, sys::RegKey *key) {
            *key = 1;
            return sys::kErrorSuccess;
        };
        services.registry.queryValue = [this](sys::RegKey, const char *, std::uint32_t *, std::uint32_t *,
                                              unsigned char *data, std::uint32_t *size) {
            ++desktopReads;
            if (!desktop)
                return sys::kErrorFileNotFound;
            const auto needed = static_cast<std::uint32_t>(desktop->size() + 1);
            if (needed > *size) {
                *size = needed;
                return sys::kErrorMoreData;
            }
            std::copy(desktop->begin(), desktop->end(), data);
            data[desktop->size()] = 0;
            *size = needed;
            return sys::kErrorSuccess;
        };
        services.registry.closeKey = [](sys::RegKey) { return sys::kErrorSuccess; };
    }

    // The drives the window sees; by default the root alone.
    std::vector<sys::Drive> drives{{"/", {}}};
    // Answers given to Yes/No boxes in turn; No once they run out.
    std::deque<controls::Answer> answers;
    std::optional<QString> saveAnswer;
    // The registry's Desktop value, in the bytes it is stored in; none when missing.
    std::optional<std::string> desktop;
    int desktopReads = 0;

    std::vector<Shown> shown;
    std::vector<controls::SaveRequest> saveRequests;
    controls::Services services;
};

} // namespace testing_support

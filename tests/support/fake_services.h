// Services for a window under test: every message box recorded and answered as
// told, no real dialog, the drives and the registry given by the test.
#pragma once

#include "platform/services.h"

#include <QStringList>
#include <algorithm>
#include <deque>

namespace testing_support {

struct Shown {
    QString prompt;
    platform::Buttons buttons;
};

class FakeServices {
public:
    FakeServices()
    {
        services = platform::Services::native();
        services.message = [this](QWidget *, const QString &prompt, platform::Buttons buttons) {
            shown.push_back({prompt, buttons});
            if (buttons == platform::Buttons::Ok)
                return platform::Answer::Ok;
            if (answers.empty())
                return platform::Answer::No;
            const platform::Answer answer = answers.front();
            answers.pop_front();
            return answer;
        };
        services.saveFile = [this](QWidget *, const platform::SaveRequest &request) {
            saveRequests.push_back(request);
            return saveAnswer;
        };
        services.drives = [this] { return drives; };
        services.registry.openKey = [](platform::RegKey, const char *, std::uint32_t, std::uint32_t, platform::RegKey *key) {
            *key = 1;
            return platform::kErrorSuccess;
        };
        services.registry.queryValue = [this](platform::RegKey, const char *, std::uint32_t *, std::uint32_t *,
                                              unsigned char *data, std::uint32_t *size) {
            ++desktopReads;
            if (!desktop)
                return platform::kErrorFileNotFound;
            const auto needed = static_cast<std::uint32_t>(desktop->size() + 1);
            if (needed > *size) {
                *size = needed;
                return platform::kErrorMoreData;
            }
            std::copy(desktop->begin(), desktop->end(), data);
            data[desktop->size()] = 0;
            *size = needed;
            return platform::kErrorSuccess;
        };
        services.registry.closeKey = [](platform::RegKey) { return platform::kErrorSuccess; };
    }

    // The drives the window sees; by default the root alone.
    std::vector<platform::Drive> drives{{"/", {}}};
    // Answers given to Yes/No boxes in turn; No once they run out.
    std::deque<platform::Answer> answers;
    std::optional<QString> saveAnswer;
    // The registry's Desktop value, in the bytes it is stored in; none when missing.
    std::optional<std::string> desktop;
    int desktopReads = 0;

    std::vector<Shown> shown;
    std::vector<platform::SaveRequest> saveRequests;
    platform::Services services;
};

} // namespace testing_support

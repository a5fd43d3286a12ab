#pragma once

#include "ui/mainwindow.h"
#include "ui/messages.h"

#include <QApplication>
#include <QSettings>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

// A main window whose message boxes, questions and file dialogs are answered by the test.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& s = aethrian::ui::seams();
        s.message = [this](const QString& text) { messages << text; };
        s.question = [this](const QString& text) {
            questions << text;
            return answer;
        };
        // "Discard unsaved changes?" with Save, Discard and Cancel: the yes/no answer stands for
        // Discard/Cancel unless a test chooses Save.
        s.saveChoice = [this](const QString& text) {
            questions << text;
            if (saveAnswer)
                return *saveAnswer;
            return answer ? aethrian::ui::SaveChoice::Discard : aethrian::ui::SaveChoice::Cancel;
        };
        s.fileDialog = [this](const aethrian::ui::FileRequest& request) {
            requests.push_back(request);
            return nextFile;
        };
        QSettings().clear(); // each test starts as a first run
        window = std::make_unique<aethrian::ui::MainWindow>();
        dir = std::filesystem::temp_directory_path() /
              ("aeth-ui-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        window.reset();
        aethrian::ui::seams() = {};
        std::filesystem::remove_all(dir);
    }

    template <class T> T* find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::unique_ptr<aethrian::ui::MainWindow> window;
    std::filesystem::path dir;
    QStringList messages;
    QStringList questions;
    bool answer = true;
    std::optional<aethrian::ui::SaveChoice> saveAnswer;
    QString nextFile;
    std::vector<aethrian::ui::FileRequest> requests;
};

inline std::string examplePath(const std::string& name) {
    return std::string(AETHRIAN_SOURCE_DIR) + "/examples/" + name;
}

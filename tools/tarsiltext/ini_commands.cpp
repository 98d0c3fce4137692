#include "tools/tarsiltext/ini_commands.h"

#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "fonts/font_map.h"
#include "fonts/font_name_text.h"
#include "fonts/ini_file.h"
#include "fonts/notify.h"

namespace tarsil::tools {
namespace {

// Collects the alerts of one command; they end the tool with status 1.
class CommandAlerts : public AlertSink {
  public:
    CommandAlerts() : previous_(SetAlertSink(this)) {}
    ~CommandAlerts() override { SetAlertSink(previous_); }
    void Alert(const std::wstring& message) override {
        if (!text_.empty()) text_ += '\n';
        for (wchar_t c : message) text_ += static_cast<char>(c);
    }
    void ThrowIfAny() const {
        if (!text_.empty()) throw RecordError(text_);
    }

  private:
    AlertSink* previous_;
    std::string text_;
};

struct IniArguments {
    std::string file;
    std::string section;
    std::string key;
    std::string value;  // VALUE, or DEFAULT of ini-get
    std::string name;   // NAME of map-find
};

std::wstring ArgumentText(const std::string& argument, const RecordOptions& options) {
    if (options.utf8) return Utf8ToEngineText(argument);
    std::wstring text;
    for (unsigned char b : argument) text.push_back(static_cast<wchar_t>(b));
    return text;
}

// Opens the file, runs use on it, and writes it back if it changed.
void WithIniFile(const std::string& file, const std::function<void(HIniEx&)>& use) {
    CommandAlerts alerts;
    {
        HIniEx ini;
        if (!ini.Open(file, true, true, true, false)) throw RecordError("cannot open " + file);
        use(ini);
    }
    alerts.ThrowIfAny();
}

using Action = std::function<void(const IniArguments&, const RecordOptions&)>;

CLI::App* AddFileCommand(CLI::App& app, RecordOptions& options, const char* name,
                         const char* description, std::shared_ptr<IniArguments> args,
                         Action action) {
    CLI::App* sub = app.add_subcommand(name, description);
    AddRecordFlags(*sub, options);
    sub->add_option("FILE", args->file, "the INI or map file")->required();
    sub->callback([args, action, &options] { action(*args, options); });
    return sub;
}

}  // namespace

void addIniCommands(CLI::App& app, RecordOptions& options) {
    auto args = std::make_shared<IniArguments>();

    CLI::App* get = AddFileCommand(
        app, options, "ini-get", "the value of a key (without its ';' comment)", args,
        [](const IniArguments& a, const RecordOptions& o) {
            WithIniFile(a.file, [&](HIniEx& ini) {
                RecordWriter(std::cout, o)
                    .Write(ini.GetValue(ArgumentText(a.section, o), ArgumentText(a.key, o),
                                        ArgumentText(a.value, o)));
            });
        });
    get->add_option("SECTION", args->section)->required();
    get->add_option("KEY", args->key)->required();
    get->add_option("DEFAULT", args->value, "printed when the key is missing (default empty)");

    CLI::App* set =
        AddFileCommand(app, options, "ini-set", "set the value of a key", args,
                       [](const IniArguments& a, const RecordOptions& o) {
                           WithIniFile(a.file, [&](HIniEx& ini) {
                               ini.SetValue(ArgumentText(a.section, o), ArgumentText(a.key, o),
                                            ArgumentText(a.value, o));
                           });
                       });
    set->add_option("SECTION", args->section)->required();
    set->add_option("KEY", args->key)->required();
    set->add_option("VALUE", args->value)->required();

    CLI::App* keys = AddFileCommand(
        app, options, "ini-keys", "the keys of a section, in file order", args,
        [](const IniArguments& a, const RecordOptions& o) {
            WithIniFile(a.file, [&](HIniEx& ini) {
                RecordWriter writer(std::cout, o);
                for (const std::wstring& key : ini.GetKeys(ArgumentText(a.section, o))) {
                    writer.Write(key);
                }
            });
        });
    keys->add_option("SECTION", args->section)->required();

    CLI::App* del = AddFileCommand(
        app, options, "ini-delete-section", "delete a section; prints 1 if it existed, else 0",
        args, [](const IniArguments& a, const RecordOptions& o) {
            WithIniFile(a.file, [&](HIniEx& ini) {
                const bool existed = ini.DeleteSection(ArgumentText(a.section, o));
                RecordWriter(std::cout, o).WriteRaw(existed ? "1" : "0");
            });
        });
    del->add_option("SECTION", args->section)->required();

    AddFileCommand(app, options, "map-list", "the font map of a file: name=type, in map order",
                   args, [](const IniArguments& a, const RecordOptions& o) {
                       CommandAlerts alerts;
                       FontMap map;
                       if (!LoadFontMap(a.file, map)) throw RecordError("cannot open " + a.file);
                       alerts.ThrowIfAny();
                       RecordWriter writer(std::cout, o);
                       for (const auto& [name, type] : map) {
                           // as the file spells the name (UTF-8 beyond bytes)
                           writer.Write(FontNameToFileText(name) + L'=' +
                                        std::to_wstring(static_cast<int>(type)));
                       }
                   });

    CLI::App* find = AddFileCommand(
        app, options, "map-find", "the font type of a font name in the map of a file", args,
        [](const IniArguments& a, const RecordOptions& o) {
            CommandAlerts alerts;
            FontMap map;
            if (!LoadFontMap(a.file, map)) throw RecordError("cannot open " + a.file);
            alerts.ThrowIfAny();
            const FontType type =
                FindFontTypeIn(map, FontNameFromFileText(ArgumentText(a.name, o)));
            RecordWriter(std::cout, o).WriteRaw(std::to_string(static_cast<int>(type)));
        });
    find->add_option("NAME", args->name, "font name without extension")->required();
}

}  // namespace tarsil::tools

#include "save/saved_game.h"

#include "core/text_format.h"

#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "core/check_state.h"
#include "core/cp1251.h"
#include "core/replace_file.h"
#include "core/state_fields.h"
#include "core/state_guard.h"
#include "save/check_value.h"
#include "save/compress_error.h"
#include "save/container.h"
#include "save/saved_body.h"

namespace korvant {
namespace {

// A fast container never grows its input by more than 3 bytes per 32768.
constexpr std::uintmax_t MaxFileSize = SaveDescriptionSize + ContainerHeaderSize + MaxContainerLength * 2;

std::span<const uint8_t> bytesOf(std::string_view s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

// Moves what a saved game holds from the scratch game into the running one.
void takeSavedTables(Game& game, Game& loaded) {
    ForEachField(state::Saved, [&](const auto& field) { field.of(game) = std::move(field.of(loaded)); });
}

}  // namespace

std::string SaveDescription(const Game& game) {
    const std::string breakText = "\n\r";
    std::string text = "Файл содежит сохраненную игру \"Корвант\", версии 4.4" + breakText + "Год " +
                       std::to_string(game.Year) + breakText + "Уровень сложности " + std::to_string(game.DiffLevel) +
                       breakText + "Стран " + std::to_string(game.GosCount) + " людей " +
                       std::to_string(game.PeopleCount) + breakText +
                       (game.GameMode == ModeLocal ? "Одиночная игра" : "Сетевая игра") + breakText;
    std::string description = Utf8ToCp1251(text);
    description.resize(SaveDescriptionSize, '\r');
    return description;
}

void SaveGame(Game& game, const std::filesystem::path& fileName) {
    CheckState(game, "При сохранении игры:");
    StateChange change(game);
    if (game.GameMode != ModeLocal) game.CurPlayer = 0;
    ++game.SaveCount;
    try {
        const std::vector<uint8_t> body = WriteSavedBody(game, game.CurPlayer);
        Tlzrw1 coder;
        coder.CompressMode = TCompressMode::Fast;
        const std::vector<uint8_t> container = coder.Compress(body);
        ReplaceFile(fileName, {bytesOf(SaveDescription(game)), container});
    } catch (...) {
        --game.SaveCount;  // a save that was not written does not count against the score
        throw;
    }
}

bool TrySaveGame(Game& game, const std::filesystem::path& fileName) {
    try {
        SaveGame(game, fileName);
        return true;
    } catch (const FileWriteError& e) {
        game.Ui->MessageBox(FormatText(game.Msg(Msg::FileWriteFailed), {e.file().string(), e.reason()}));
    } catch (const CompressError& e) {
        game.Ui->MessageBox(e.what());
    }
    return false;
}

SavedGameFile ReadSavedGame(const std::filesystem::path& fileName, Game& into) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw SavedGameReadError("Cannot open the file \"" + fileName.string() + "\"");
    std::vector<uint8_t> content;
    std::array<char, 65536> buffer;
    while (in) {
        in.read(buffer.data(), buffer.size());
        content.insert(content.end(), buffer.begin(), buffer.begin() + in.gcount());
        if (content.size() > MaxFileSize) throw SavedBodyError("file too long");
    }
    if (in.bad()) throw SavedGameReadError("Cannot read the file \"" + fileName.string() + "\"");
    if (content.size() < SaveDescriptionSize) throw SavedBodyError("file too short");

    SavedGameFile file;
    file.description.assign(content.begin(), content.begin() + SaveDescriptionSize);
    Tlzrw1 coder;
    const std::vector<uint8_t> body = coder.Decompress(std::span(content).subspan(SaveDescriptionSize));
    file.storedCheck = ReadSavedBody(body, into);
    file.check = CheckValue(into);
    return file;
}

bool LoadGame(Game& game, const std::filesystem::path& fileName) {
    const std::string olderVersion = game.Msg(Msg::OlderSaveVersion);
    auto loaded = std::make_unique<Game>();
    try {
        if (!ReadSavedGame(fileName, *loaded).checkHolds()) {
            game.Ui->MessageBox(olderVersion);
            return false;
        }
    } catch (const SavedGameReadError&) {
        game.Ui->MessageBox(FormatText(game.Msg(Msg::FileReadFailed), {fileName.string()}));
        return false;
    } catch (const CompressError&) {
        game.Ui->MessageBox(olderVersion);
        return false;
    } catch (const SavedBodyError&) {
        game.Ui->MessageBox(olderVersion);
        return false;
    }
    const bool networkSave = loaded->ResumePlayer == 0;
    if (networkSave && game.GameMode == ModeLocal) {
        game.Ui->MessageBox(game.Msg(Msg::NotALocalSave));
        return false;
    }
    if (!networkSave && game.GameMode != ModeLocal) {
        game.Ui->MessageBox(game.Msg(Msg::NotANetworkSave));
        return false;
    }
    takeSavedTables(game, *loaded);
    return true;
}

}  // namespace korvant

// PresetFileText: a message of the preset file commands in both languages, and the texts.
#pragma once

#include "model/Globals.h"

// A user message in both languages.
struct PresetFileText {
    const char* en = "";
    const char* cn = "";
    const char* Get() const { return LangText(en, cn); }
};

inline constexpr PresetFileText kTextSavePresetError{"Save presets file error!", "保存场景文件错误!"};
inline constexpr PresetFileText kTextReadPresetError{"Read presets file  error!", "读场景文件错误!"};
inline constexpr PresetFileText kTextSaveAllPresetsError{"Save all presets file error!",
                                                         "保存整机场景文件错误!"};
inline constexpr PresetFileText kTextReadAllPresetsError{"Read all presets file error!",
                                                         "读整机场景文件错误!"};
inline constexpr PresetFileText kTextSaveMapError{"Save output map error!", "保存输出配置错误!"};
inline constexpr PresetFileText kTextReadMapError{"Read output map error!", "读输出配置错误!"};

#pragma once
// The rows of the built-in packs, one function per pack, used only by the catalog
// (PackCatalog.cpp), which calls each once when it first builds its packs.
//
// Each function gives the pack's shortcut rows in slot order and then its spare
// rows in order (see "Config/PackCatalog.h" for how rows become bindings). The
// functions are defined in one source file per group of packs, in catalog order:
//
//   PackRowsGeneral.cpp   everydayMac, terminal
//   PackRowsAI.cpp        claude, chatGPT, hermes, openClaw
//   PackRowsBrowsers.cpp  chromium (chrome and brave), safari, dia, arc, firefox, zen, vivaldi, comet, atlas
//   PackRowsCode.cpp      vsCode, cursor, zed, windsurf, jetBrains, neovim, xcode
//   PackRowsCreative.cpp  screenStudio, blender, unity, figma, finalCut, logic, davinci
//   PackRowsWork.cpp      obsidian, notion, linear
//   PackRowsSocial.cpp    slack, discord, spotify
//
// A row is a PackCatalog::Item: {title, action, global}. The modifier shorthands
// (PackCatalog::cmd, shiftCmd, …), the shared rows PackCatalog::undo() and redo(),
// the bundle-id lists PackCatalog::App::terminals() and friends, and the KeyCombo
// presets (KeyCombo::missionControl, …) are there for writing them.

#include "Config/PackCatalog.h"

namespace velorin::packrows {

using Item = PackCatalog::Item;
using Rows = PackCatalog::Rows;

// general
Rows everydayMac();
Rows terminal();

// ai
Rows claude();
Rows chatGPT();
Rows hermes();
Rows openClaw();

// browsers
Rows chromium();  // shared by chrome and brave
Rows safari();
Rows dia();
Rows arc();
Rows firefox();
Rows zen();
Rows vivaldi();
Rows comet();
Rows atlas();

// code
Rows vsCode();
Rows cursor();
Rows zed();
Rows windsurf();
Rows jetBrains();
Rows neovim();
Rows xcode();

// creative
Rows screenStudio();
Rows blender();
Rows unity();
Rows figma();
Rows finalCut();
Rows logic();
Rows davinci();

// work
Rows obsidian();
Rows notion();
Rows linear();

// social
Rows slack();
Rows discord();
Rows spotify();

}  // namespace velorin::packrows

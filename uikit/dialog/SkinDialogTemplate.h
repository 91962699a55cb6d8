// uikit/dialog/SkinDialogTemplate.h
// The in-memory template of the small skinned pop-ups (id 227), so that no resource script
// is needed for them. A program that links an RT_DIALOG 227 keeps its own.
#pragma once

// Registers template 227 once per process: a plain pop-up (the dialog draws its own caption
// and frame); LoadSkin gives it its real size.
void RegisterSkinDialogTemplates();

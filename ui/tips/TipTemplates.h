// ui/tips/TipTemplates.h
// In-memory templates of the plain tip dialogs: 332 (a bare pop-up that paints itself) and
// 343 (the "Please wait..." cover). A program that links its own keeps them.
#pragma once

const unsigned kPlainTipTemplateId = 332;
const unsigned kWaitCoverTemplateId = 343;

void RegisterTipDialogTemplates();

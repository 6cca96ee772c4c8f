#pragma once

// The program's user-visible texts, as message ids for gettext (text domain "vantell").
// Windows pass each one through i18n() when they set it. Texts are kept exactly as shown,
// blanks and line breaks included.

#ifndef N_
#define N_(text) text
#endif

namespace str {

// Prompter window
inline constexpr const char *MainCaption = N_("Vantell2 Home");
inline constexpr const char *ApplicationTitle = N_("Vantell2  Home");
inline constexpr const char *VersionText = N_("Vantell Home version 2.2.1");
inline constexpr const char *RightClickForMenu = N_("Right click for menu.");
inline constexpr const char *Speed = N_("Speed ");
inline constexpr const char *Paused = N_("Paused...");
inline constexpr const char *Coarse = N_("Coarse: ");
inline constexpr const char *NoScript = N_("No Script.");
inline constexpr const char *Elapsed = N_("Elapsed: ");
inline constexpr const char *Remaining = N_("Remaining: ");
inline constexpr const char *HelpLine = N_("W-Increase Speed | S-Decrease Speed | Q-Pause | E-Reverse Direction | "
                                           "F-Reset | A-Load Prev. Script | D-Load Next Script");
inline constexpr const char *Separator = N_("  |  ");
inline constexpr const char *IncreaseSpeed = N_("Increase Speed");
inline constexpr const char *DecreaseSpeed = N_("Decrease Speed");
inline constexpr const char *CoarseFaster = N_("Coarse Faster");
inline constexpr const char *CoarseSlower = N_("Coarse Slower");
inline constexpr const char *Pause = N_("Pause");
inline constexpr const char *ReverseDirection = N_("Reverse Direction");
inline constexpr const char *Reset = N_("Reset");
inline constexpr const char *LoadPreviousScript = N_("Load Previous Script");
inline constexpr const char *LoadNextScript = N_("Load Next Script");
inline constexpr const char *ToggleHelp = N_("Toggle Help");
inline constexpr const char *ToggleRotateText = N_("Toggle Rotate Text");
inline constexpr const char *ToggleMirrorText = N_("Toggle Mirror Text");
inline constexpr const char *ToggleDualDisplay = N_("Toggle Dual Display");
inline constexpr const char *MenuOpenSingleScript = N_("&Open Single Script");
inline constexpr const char *MenuFont = N_("Font");
inline constexpr const char *MenuOptions = N_("O&ptions and Multi-Scripting");
inline constexpr const char *MenuQuickEdit = N_("&Quick Edit Script");
inline constexpr const char *MenuPrintScript = N_("&Print Script");
inline constexpr const char *MenuShowStatusBar = N_("&Show Status Bar");
inline constexpr const char *MenuAbout = N_("About");
inline constexpr const char *MenuExit = N_("&Exit");
inline constexpr const char *SpecialCharsMissing =
    N_("Unable to locate Specialchars.dat!\r\n\r\nConversion of special characters will be unavialble.\n\r"
       "Please reinstall Vantell.");

inline constexpr const char *ReadableFilter = N_("Vantell Readable|*.txt;*.rtf;*.vnr");
inline constexpr const char *UnrecognizedFileFormat = N_("Unrecognized file format.");
inline constexpr const char *ListIndexOutOfBounds = N_("List index out of bounds (%1)");

// Progress window
inline constexpr const char *ConvertingToScript = N_("Converting to Script");

// Quick editor
inline constexpr const char *EditorCaption = N_("Vantell Quick Edit");

// Options window
inline constexpr const char *OptionsCaption = N_("Vantell Options");
inline constexpr const char *AlignTop = N_("Align Top");
inline constexpr const char *AlignBottom = N_("Align Bottom");
inline constexpr const char *No = N_("No");
inline constexpr const char *Yes = N_("Yes");
inline constexpr const char *Local = N_("Local");
inline constexpr const char *Remote = N_("Remote");
inline constexpr const char *Both = N_("Both");

// About window
inline constexpr const char *AboutCaption = N_("About Vantell2");

// File errors
inline constexpr const char *CannotOpenFile = N_("Cannot open file \"%1\". %2");
inline constexpr const char *CannotReadFile = N_("Cannot read file \"%1\". %2");
inline constexpr const char *CannotWriteFile = N_("Cannot write file \"%1\". %2");
inline constexpr const char *IsADirectory = N_("It is a folder, not a file.");

// Font dialog
inline constexpr const char *FontDialogTitle = N_("Font");
inline constexpr const char *FontDialogColor = N_("Colour:");

// Web service
inline constexpr const char *NewVersionAvailable =
    N_("A new version of Vantell is available and this version is no longer supported.\r\n\r\nPlease click the "
       "download links in the teleprompter display window to install the latest version of Vantell.");

// Errors
inline constexpr const char *UnknownError = N_("An unknown error has occurred.");

// Message boxes
inline constexpr const char *Warning = N_("Warning");

// Settings, web service, about window and printing
inline constexpr const char *UnableToCreateKey = N_("Unable to create key '%1'");
inline constexpr const char *HelpNeedsInternet =
    N_("Vantell Help files are Internet based.\n\rNo Internet connection was detected.");
inline constexpr const char *AboutLatestVersion = N_("The latest version of Vantell can be found at");
inline constexpr const char *AboutVersion = N_("v%1");
inline constexpr const char *AboutOk = N_("Ok");
inline constexpr const char *AboutMakerNotice =
    N_("Vantell teleprompter by korvanex.\nProvided as is, without warranty of any kind.");
inline constexpr const char *PrintPreviewCaption = N_("Print Preview");
inline constexpr const char *PrintPreviewPrint = N_("&Print...");
inline constexpr const char *PrintPreviewClose = N_("&Close");
inline constexpr const char *PrintFailed = N_("The script could not be printed: %1");

} // namespace str

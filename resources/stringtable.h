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
inline constexpr const char *HelpLine =
    N_("W-Increase Speed | S-Decrease Speed | Q-Pause | E-Reverse Direction | "
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
inline constexpr const char *OutputWindowCaption = N_("Talent Display");
inline constexpr const char *MenuOpenSingleScript = N_("&Open Single Script");
inline constexpr const char *MenuFont = N_("Font");
inline constexpr const char *MenuOptions = N_("O&ptions and Multi-Scripting");
inline constexpr const char *MenuQuickEdit = N_("&Quick Edit Script");
inline constexpr const char *MenuPrintScript = N_("&Print Script");
inline constexpr const char *MenuShowStatusBar = N_("&Show Status Bar");
inline constexpr const char *MenuAbout = N_("About");
inline constexpr const char *MenuExit = N_("&Exit");
inline constexpr const char *MenuMarkers = N_("&Markers");
inline constexpr const char *MenuNextMarker = N_("&Next Marker");
inline constexpr const char *MenuPreviousMarker = N_("&Previous Marker");
inline constexpr const char *MenuGoToMarker = N_("&Go to Marker");
inline constexpr const char *MenuForwardLines = N_("&Forward %1 Lines");
inline constexpr const char *MenuBackLines = N_("&Back %1 Lines");
inline constexpr const char *MenuHideMarkers = N_("&Hide Markers");
inline constexpr const char *NoMarkers = N_("(no markers in this script)");
inline constexpr const char *MenuReadingLine = N_("&Reading Line");
inline constexpr const char *MenuCueOnPrompter = N_("On the &Prompter");
inline constexpr const char *MenuCueOnTalent = N_("On the &Talent Display");
inline constexpr const char *MenuCueArrow = N_("&Arrow");
inline constexpr const char *MenuCueBand = N_("&Band");
inline constexpr const char *MenuCueQuarter = N_("A &Quarter Down");
inline constexpr const char *MenuCueThird = N_("A T&hird Down");
inline constexpr const char *MenuCueHalf = N_("Hal&fway Down");
inline constexpr const char *MenuCueColour = N_("&Colour");
inline constexpr const char *MenuCueOpacity = N_("&Opacity");
inline constexpr const char *CueYellow = N_("Yellow");
inline constexpr const char *CueWhite = N_("White");
inline constexpr const char *CueRed = N_("Red");
inline constexpr const char *CueGreen = N_("Green");
inline constexpr const char *CueCyan = N_("Cyan");
inline constexpr const char *PercentValue = N_("%1 %");
inline constexpr const char *MenuCountdown = N_("Cou&ntdown");
inline constexpr const char *MenuCountdownOn = N_("&Count Down into a Run from the Start");
inline constexpr const char *SecondsValue = N_("%1 Seconds");
inline constexpr const char *MenuTiming = N_("&Timing");
inline constexpr const char *MenuShowClockRun = N_("&Start or Stop the Show Clock");
inline constexpr const char *MenuShowClockReset = N_("&Reset the Show Clock");
inline constexpr const char *MenuClocksOnTalent = N_("Show the Clocks on the &Talent Display");
inline constexpr const char *MenuReadingPace = N_("Reading &Pace");
inline constexpr const char *WordsPerMinuteValue = N_("%1 Words a Minute");
inline constexpr const char *ClockReadout = N_("Show %1  Time %2  Reading %3");
inline constexpr const char *EndsAt = N_("Ends %1");
inline constexpr const char *MenuTalentMessage = N_("&Message to the Talent...");
inline constexpr const char *MenuClearTalentMessage = N_("&Dismiss the Message");
inline constexpr const char *MenuFlashTalentMessage = N_("&Flash the Message");
inline constexpr const char *TalentMessageCaption = N_("Message to the Talent");
inline constexpr const char *TalentMessageLabel = N_("Shown over the talent display's text until dismissed:");
inline constexpr const char *TalentClocks = N_("Show %1\nTime %2");
inline constexpr const char *DisplayOptionsPage = N_("Display");
inline constexpr const char *ReadingAidsPage = N_("Reading Aids");
inline constexpr const char *ReadingLineOptions = N_("Reading line");
inline constexpr const char *CueOnPrompterOption = N_("On the prompter");
inline constexpr const char *CueOnTalentOption = N_("On the talent display");
inline constexpr const char *CueStyleOption = N_("Style");
inline constexpr const char *CueArrowOption = N_("Arrow");
inline constexpr const char *CueBandOption = N_("Band");
inline constexpr const char *CueHeightOption = N_("Height");
inline constexpr const char *CueColourOption = N_("Colour");
inline constexpr const char *CueOpacityOption = N_("Opacity");
inline constexpr const char *TimingOptions = N_("Timing");
inline constexpr const char *CountdownOption = N_("Countdown");
inline constexpr const char *ReadingPaceOption = N_("Words a minute");
inline constexpr const char *TalentClocksOption = N_("Clocks for the talent");
inline constexpr const char *FlashMessageOption = N_("Flash the message");
inline constexpr const char *MarkerOptions = N_("Markers");
inline constexpr const char *HideMarkersOption = N_("Hide markers");
inline constexpr const char *JumpLinesOption = N_("Lines a jump");
inline constexpr const char *EntryReadingTime = N_("reads in %1");
inline constexpr const char *QueueReadingTime = N_("The queue reads in %1 at %2 words a minute");
inline constexpr const char *SpecialCharsMissing =
    N_("Unable to locate Specialchars.dat!\r\n\r\nConversion of special characters will be unavialble.\n\r"
       "Please reinstall Vantell.");

inline constexpr const char *ReadableFilter = N_("Vantell Readable|*.txt;*.rtf;*.vnr");
inline constexpr const char *DocumentFilter =
    N_("Word Processor Documents|*.docx;*.odt|Markdown and HTML|*.md;*.markdown;*.html;*.htm");
inline constexpr const char *UnrecognizedFileFormat = N_("Unrecognized file format.");
inline constexpr const char *ListIndexOutOfBounds = N_("List index out of bounds (%1)");

// Progress window
inline constexpr const char *ConvertingToScript = N_("Converting to Script");

// Quick editor
inline constexpr const char *EditorCaption = N_("Vantell Quick Edit");
inline constexpr const char *EditorOpenTitle = N_("Vantell2 File Open/Import");
inline constexpr const char *EditorSaveTitle = N_("Vantell2 File Save/Export");
inline constexpr const char *VantellScriptsFilter = N_("Vantell Scripts *.vnr|*.vnr");
inline constexpr const char *VantellFilesFilter = N_("Vantell Files *.vnr|*.vnr");
inline constexpr const char *ImportFilter =
    N_("Text Files *.txt|*.txt|Rich Text *.rtf|*.rtf|All Files *.*|*.*");
inline constexpr const char *ExportFilter = N_("Text Files *.txt|*.txt|Rich Text *.rtf|*.rtf");
inline constexpr const char *ReplacesOtherFile =
    N_("\"%1\" is not a Vantell script. Saving here replaces the whole file with a rich script (.vnr), "
       "and what it holds now is lost.\n\nReplace \"%1\"?");
inline constexpr const char *SaveChangesFirst =
    N_("You have made changes to this script.  Do you wish to save them first?");
inline constexpr const char *SaveScriptFirst =
    N_("You have made changes to this script.  Do you wish to save it first?");
inline constexpr const char *LoseChangesAndExit =
    N_("Warning: You will lose all changes to this script if you do not save it.  Do you still wish "
       "to exit?");
inline constexpr const char *NothingToSave = N_("Nothing to save");
inline constexpr const char *ScriptSaved = N_("Script Saved");
inline constexpr const char *MenuFile = N_("&File");
inline constexpr const char *MenuEdit = N_("&Edit");
inline constexpr const char *MenuFormat = N_("F&ormat");
inline constexpr const char *MenuNew = N_("&New");
inline constexpr const char *MenuOpen = N_("&Open...");
inline constexpr const char *MenuImport = N_("&Import");
inline constexpr const char *MenuExport = N_("&Export");
inline constexpr const char *MenuSave = N_("&Save");
inline constexpr const char *MenuSaveAs = N_("Save &As...");
inline constexpr const char *MenuEditorExit = N_("E&xit");
inline constexpr const char *MenuUndoKey = N_("&Undo - [Ctl-Z]");
inline constexpr const char *MenuRedoKey = N_("R&edo -  [Ctl-Y]");
inline constexpr const char *MenuCutKey = N_("&Cut - [Ctl-X]");
inline constexpr const char *MenuCopyKey = N_("C&opy - [Ctl-C]");
inline constexpr const char *MenuPasteKey = N_("&Paste - [Ctl-V]");
inline constexpr const char *MenuFind = N_("&Find");
inline constexpr const char *MenuReplace = N_("&Replace");
inline constexpr const char *MenuDateTime = N_("&Date/Time");
inline constexpr const char *MenuEditorFont = N_("&Font");
inline constexpr const char *MenuUndo = N_("&Undo");
inline constexpr const char *MenuCut = N_("C&ut");
inline constexpr const char *MenuCopy = N_("&Copy");
inline constexpr const char *MenuPaste = N_("&Paste");
inline constexpr const char *MenuDelete = N_("&Delete");
inline constexpr const char *MenuSelectAll = N_("&Select All");
inline constexpr const char *MenuContextFont = N_("Fo&nt");
inline constexpr const char *HintNewScript = N_("New Script");
inline constexpr const char *HintOpenScript = N_("Open a script");
inline constexpr const char *HintSaveScript = N_("Save current script");
inline constexpr const char *HintCut = N_("Cut seleted text");
inline constexpr const char *HintCopy = N_("Copy to clipboard");
inline constexpr const char *HintPaste = N_("Paste from clipboard");
inline constexpr const char *HintFind = N_("Find");
inline constexpr const char *HintFont = N_("Font properties");
inline constexpr const char *NotFound = N_("Not found.");
inline constexpr const char *NothingSelectedToReplace = N_("Nothing selected to replace.");

// Quick editor: the find and replace dialogs
inline constexpr const char *FindTitle = N_("Find");
inline constexpr const char *ReplaceTitle = N_("Replace");
inline constexpr const char *FindWhat = N_("Fi&nd what:");
inline constexpr const char *ReplaceWith = N_("Re&place with:");
inline constexpr const char *MatchCase = N_("Match &case");
inline constexpr const char *Direction = N_("Direction");
inline constexpr const char *DirectionUp = N_("&Up");
inline constexpr const char *DirectionDown = N_("&Down");
inline constexpr const char *FindNext = N_("&Find Next");
inline constexpr const char *ReplaceButton = N_("&Replace");
inline constexpr const char *ReplaceAllButton = N_("Replace &All");

// Quick editor: hand-over from the prompter
inline constexpr const char *ConvertedToVnr = N_("Vantell has converted this script to .vnr format.");
inline constexpr const char *FontOnlyInEditor =
    N_("Font sizes for Vantell format files can only be changed via the quick editor.\r\n\r\nDo you wish to "
       "edit this file now?");

// Options window
inline constexpr const char *OptionsCaption = N_("Vantell Options");
inline constexpr const char *Queue = N_("Queue");
inline constexpr const char *VantellPlacement = N_("Vantell Placement");
inline constexpr const char *CapitalizeScript = N_("Capitalize Script");
inline constexpr const char *DisplayToMirror = N_("Display to Mirror");
inline constexpr const char *DisplayToRotate = N_("Display to Rotate");
inline constexpr const char *SmoothScrolling = N_("Smooth Scrolling");
inline constexpr const char *Ok = N_("Ok");
inline constexpr const char *Cancel = N_("Cancel");
inline constexpr const char *AddScript = N_("Add Script");
inline constexpr const char *RemoveScript = N_("Remove Script");
inline constexpr const char *LoadQueue = N_("Load Queue");
inline constexpr const char *SaveQueue = N_("Save Queue");
inline constexpr const char *QueueFilter = N_("Vantell Scripts|*.vnq");
inline constexpr const char *NothingToSaveQueue = N_("Nothing to save.");
inline constexpr const char *AlignTop = N_("Align Top");
inline constexpr const char *AlignBottom = N_("Align Bottom");
inline constexpr const char *No = N_("No");
inline constexpr const char *Yes = N_("Yes");
inline constexpr const char *Local = N_("Local");
inline constexpr const char *Remote = N_("Remote");
inline constexpr const char *Both = N_("Both");

// Options window: the newsroom system
inline constexpr const char *NewsroomSystem = N_("Newsroom System (MOS)");
inline constexpr const char *NewsroomPage = N_("Newsroom");
inline constexpr const char *NewsroomListen = N_("Listen");
inline constexpr const char *NewsroomPorts = N_("Ports:");
inline constexpr const char *NewsroomLowerPort = N_("Lower port: the connection's own messages");
inline constexpr const char *NewsroomUpperPort = N_("Upper port: running orders and stories");
inline constexpr const char *NewsroomInstructions = N_("Instructions:");
inline constexpr const char *NewsroomDimmed = N_("Dimmed");
inline constexpr const char *NewsroomHidden = N_("Hidden");
inline constexpr const char *NewsroomOff = N_("Not listening.");
inline constexpr const char *NewsroomListening = N_("Listening on ports %1 and %2; connections: %3.");
inline constexpr const char *NewsroomCannotListen = N_("Vantell cannot listen for the newsroom system: %1");
inline constexpr const char *NewsroomSamePorts = N_("The two ports must differ.");
inline constexpr const char *NewsroomDeviceId = N_("MOS ID:");
inline constexpr const char *NewsroomDeviceIdHint =
    N_("The MOS ID the newsroom system knows this prompter by");
inline constexpr const char *NewsroomNcsId = N_("NCS ID:");
inline constexpr const char *NewsroomNcsIdHint =
    N_("The ID of the newsroom system whose messages are taken; empty: any newsroom system");
inline constexpr const char *NewsroomAnyNcs = N_("Any newsroom system is accepted");
inline constexpr const char *NewsroomAllowed = N_("Allowed addresses:");
inline constexpr const char *NewsroomAllowedHint =
    N_("The addresses newsroom systems may connect from, separated by commas; empty: any address");
inline constexpr const char *NewsroomAnyAddress = N_("Any address is accepted");
inline constexpr const char *NewsroomNotAskedAgain =
    N_("The newsroom system could not be asked for its running orders again: %1");
inline constexpr const char *NewsroomNotAddresses =
    N_("Allowed addresses that are not addresses let no one in: %1");
inline constexpr const char *NewsroomRefusedAddress =
    N_("Newsroom connection from %1 refused: the address is not allowed.");
inline constexpr const char *NewsroomRefusedNcsId =
    N_("Newsroom message from %1 refused: its NCS ID \"%2\" is not \"%3\".");
inline constexpr const char *NewsroomRefusedMosId =
    N_("Newsroom message from %1 refused: it is for MOS ID \"%2\", not \"%3\".");
inline constexpr const char *RunningOrderHeading = N_("Running Order: %1");

// Options window: remote control
inline constexpr const char *RemoteControl = N_("Remote Control");
inline constexpr const char *RemoteEnabled = N_("Listen");
inline constexpr const char *RemotePort = N_("Port:");
inline constexpr const char *RemoteOscPort = N_("OSC:");
inline constexpr const char *RemoteAllowNetwork = N_("Allow other devices on the network");
inline constexpr const char *RemoteNewToken = N_("New Token");
inline constexpr const char *RemoteOff = N_("Remote control is off.");
inline constexpr const char *RemoteListening = N_("Open %1 in a browser, or scan the code with a phone.");
inline constexpr const char *RemoteOscListening = N_("OSC commands: UDP port %1.");
inline constexpr const char *RemoteOscCannotListen = N_("Vantell cannot listen for OSC commands: %1");
inline constexpr const char *RemoteCannotListen = N_("Vantell cannot listen for remote controls: %1");
inline constexpr const char *RemoteMidi = N_("&MIDI...");
inline constexpr const char *MidiBindingsCaption = N_("MIDI Controls");
inline constexpr const char *MidiEnabled = N_("Listen to MIDI controllers");
inline constexpr const char *MidiControlColumn = N_("Control");
inline constexpr const char *MidiCommandColumn = N_("Command");
inline constexpr const char *MidiLearn = N_("Learn");
inline constexpr const char *MidiRemove = N_("Remove");
inline constexpr const char *MidiMoveAControl = N_("Move a control of the MIDI device to bind it to %1.");
inline constexpr const char *MidiBound = N_("%1 now does %2.");
inline constexpr const char *MidiNote = N_("Note %1, channel %2");
inline constexpr const char *MidiController = N_("Controller %1, channel %2");
inline constexpr const char *MidiOff = N_("MIDI controllers are not listened to.");
inline constexpr const char *MidiNoDevice =
    N_("Listening for MIDI, but no device is connected: connect one to the port \"Vantell\".");
inline constexpr const char *MidiListening = N_("Listening to the MIDI devices %1.");
inline constexpr const char *MidiCannotListen = N_("Vantell cannot listen to MIDI controllers: %1");
inline constexpr const char *MidiDeviceConnected = N_("MIDI device connected: %1.");
inline constexpr const char *RemoteControllers = N_("&Controllers...");
inline constexpr const char *ControllersCaption = N_("Controllers");
inline constexpr const char *ControllersEnabled = N_("Listen to game pads, jog wheels and pedals");
inline constexpr const char *ControllerDevices = N_("Devices:");
inline constexpr const char *ControllerAnyGamePad = N_("Any game pad");
inline constexpr const char *ControllerNotConnected = N_("%1 (not connected)");
inline constexpr const char *ControllerControlColumn = N_("Control");
inline constexpr const char *ControllerCommandColumn = N_("Command");
inline constexpr const char *ControllerSettingColumn = N_("Setting");
inline constexpr const char *ControllerLearn = N_("Learn");
inline constexpr const char *ControllerRemove = N_("Remove");
inline constexpr const char *ControllerDefaults = N_("Defaults");
inline constexpr const char *ControllerButton = N_("Button %1");
inline constexpr const char *ControllerAxis = N_("Axis %1");
inline constexpr const char *ControllerDial = N_("Dial %1");
inline constexpr const char *ControllerMoveAControl =
    N_("Press or move a control of a controller to bind it to %1.");
inline constexpr const char *ControllerBound = N_("%1 of %2 now does %3.");
inline constexpr const char *ControllerMoved = N_("Last moved: %1 of %2.");
inline constexpr const char *AxisStop = N_("Stop:");
inline constexpr const char *AxisCentreStop = N_("in the middle (wheels, sticks)");
inline constexpr const char *AxisEndStop = N_("at one end (pedals, triggers)");
inline constexpr const char *AxisCurve = N_("Curve:");
inline constexpr const char *AxisLinear = N_("linear");
inline constexpr const char *AxisExponential = N_("exponential");
inline constexpr const char *AxisDeadZone = N_("Dead zone:");
inline constexpr const char *AxisTopSpeed = N_("Top speed:");
inline constexpr const char *AxisReversed = N_("Reversed");
inline constexpr const char *DialLines = N_("Lines a step:");
inline constexpr const char *AxisCentreStopSetting = N_("centre-stop");
inline constexpr const char *AxisEndStopSetting = N_("end-stop");
inline constexpr const char *AxisDeadZoneSetting = N_("dead zone %1 %");
inline constexpr const char *AxisTopSpeedSetting = N_("top speed %1");
inline constexpr const char *DialLinesSetting = N_("%1 lines a step");
inline constexpr const char *ControllersOff = N_("Controllers are not listened to.");
inline constexpr const char *ControllersNoPads = N_("Game pads and joysticks cannot be read: %1");
inline constexpr const char *ControllersNoDevice = N_("Listening, but no controller is connected.");
inline constexpr const char *ControllersListening = N_("Listening to %1.");
inline constexpr const char *ControllerUnreadable =
    N_("The controller %1 cannot be read: %2. The user needs to be in the group \"input\".");
inline constexpr const char *ControllerConnected = N_("%1 is connected.");
inline constexpr const char *ControllerConnectedUnbound =
    N_("%1 is connected; bind its controls under Controllers... in the options.");
inline constexpr const char *ControllerDisconnected = N_("%1 was disconnected; the speed stays at %2.");
inline constexpr const char *RemoteNoQueueEntry = N_("The queue has no entry %1; it has %2.");
inline constexpr const char *RemoteNoMarker = N_("The script has no marker %1; it has %2.");
inline constexpr const char *RemoteHelpShown = N_("The help is shown: close it before sending a script.");

// About window
inline constexpr const char *AboutCaption = N_("About Vantell2");

// File errors
inline constexpr const char *CannotOpenFile = N_("Cannot open file \"%1\". %2");
inline constexpr const char *CannotReadFile = N_("Cannot read file \"%1\". %2");
inline constexpr const char *CannotWriteFile = N_("Cannot write file \"%1\". %2");
inline constexpr const char *IsADirectory = N_("It is a folder, not a file.");

// Documents of word processors: what keeps one from being imported
inline constexpr const char *CannotImport = N_("Cannot import \"%1\": %2");
inline constexpr const char *ImportNotZip =
    N_("the file is not a zip archive, so it is no .docx or .odt document.");
inline constexpr const char *ImportEncrypted =
    N_("the document is protected with a password. Save it without one and open it again.");
inline constexpr const char *ImportPartMissing = N_("the document part \"%1\" is missing.");
inline constexpr const char *ImportPartDamaged = N_("the document part \"%1\" cannot be unpacked.");
inline constexpr const char *ImportBrokenXml = N_("the document part \"%1\" is damaged: %2 (line %3).");
inline constexpr const char *ImportTooLarge = N_("it would unpack to more than %1 MB.");
inline constexpr const char *ImportTooManyParts = N_("it holds more than %1 parts.");
inline constexpr const char *CannotCreateTempFile = N_("Cannot create a temporary file in \"%1\". %2");

// Font dialog
inline constexpr const char *FontDialogTitle = N_("Font");
inline constexpr const char *FontDialogColor = N_("Colour:");

// Web service
inline constexpr const char *NewVersionAvailable = N_(
    "A new version of Vantell is available and this version is no longer supported.\r\n\r\nPlease click the "
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

// Names of controls that show no text of their own, for screen readers
inline constexpr const char *ScriptPage = N_("Script page");
inline constexpr const char *ScriptText = N_("Script text");
inline constexpr const char *ProgramLogo = N_("Vantell logo");
inline constexpr const char *CurrentSpeed = N_("Current speed");
inline constexpr const char *ElapsedTime = N_("Elapsed time");
inline constexpr const char *RemainingTime = N_("Remaining time");

// Remote control: the phone remote's page
inline constexpr const char *RemoteTitle = N_("Vantell Remote");
inline constexpr const char *RemoteConnecting = N_("Connecting...");
inline constexpr const char *RemoteConnected = N_("Connected");
inline constexpr const char *RemoteLost = N_("Connection lost: trying again...");
inline constexpr const char *RemotePauseResume = N_("Pause / Resume");
inline constexpr const char *RemoteFaster = N_("Faster");
inline constexpr const char *RemoteSlower = N_("Slower");
inline constexpr const char *RemoteBackLines = N_("Back 5 Lines");
inline constexpr const char *RemoteForwardLines = N_("Forward 5 Lines");
inline constexpr const char *RemoteBlackout = N_("Black Out Talent Display");
inline constexpr const char *RemoteRunning = N_("Running");

// Command line
inline constexpr const char *UsageLine = N_("Usage: %1 [options] [script]");
inline constexpr const char *CommandLineDescription =
    N_("Teleprompter: shows a script as large text that scrolls at an adjustable speed.");
inline constexpr const char *OptionsHeading = N_("Options:");
inline constexpr const char *ArgumentsHeading = N_("Arguments:");
inline constexpr const char *FilesHeading = N_("Files:");
inline constexpr const char *HelpOption = N_("Show this help and exit.");
inline constexpr const char *VersionOption = N_("Show the version and exit.");
inline constexpr const char *QueueOption = N_("Load a queue of scripts (.vnq) and start it.");
inline constexpr const char *QueueValueName = N_("file");
inline constexpr const char *RemoteOption =
    N_("Let remote controls drive the prompter, as set in the options window (on this computer only unless "
       "the network is allowed there).");
inline constexpr const char *FollowOption =
    N_("Be the talent display of the prompter at this address (its remote control listening), following it "
       "over the network; of several addresses, separated by commas, the next one whenever one goes.");
inline constexpr const char *FollowValueName = N_("host[:port]");
inline constexpr const char *PortOption =
    N_("Let remote controls drive the prompter for this run, on this port (OSC on the port after it).");
inline constexpr const char *PortValueName = N_("port");
inline constexpr const char *TokenOption =
    N_("The token the prompter's remote control asks for (with --follow or --standby).");
inline constexpr const char *TokenValueName = N_("token");
inline constexpr const char *MirrorOption = N_("Mirror this talent display (with --follow).");
inline constexpr const char *RotateOption = N_("Turn this talent display upside down (with --follow).");
inline constexpr const char *BadLeaderAddress = N_("\"%1\" is no address of a prompter: give host[:port].");
inline constexpr const char *BadPort =
    N_("\"%1\" is no port for remote controls: give a number from 1 to 65534.");
inline constexpr const char *FollowAlone = N_("--follow shows the script of another prompter: it takes no "
                                              "script, queue, --remote or --port.");
inline constexpr const char *FollowOnly =
    N_("--token goes with --follow or --standby; --mirror and --rotate go "
       "with --follow.");
inline constexpr const char *StandbyOption =
    N_("Be the standby of the prompter at this address (its remote control listening): mirror it, and take "
       "the show over when it stops answering.");
inline constexpr const char *StandbyAlone =
    N_("--standby shows the script of its prompter: it takes no script, queue, --mirror or --rotate.");
inline constexpr const char *FollowWaiting = N_("Waiting for the prompter at %1...");
inline constexpr const char *PrintTextOption =
    N_("Write the text of a script to standard output, one line of the page a line, and exit.");
inline constexpr const char *UnrecognizedScript =
    N_("\"%1\" is no script: its file format is not recognized.");
inline constexpr const char *ScriptArgumentName = N_("script");
inline constexpr const char *ScriptArgument =
    N_("Script to open (.txt, .rtf, .vnr, .docx, .odt, .md, .html); a queue (.vnq) starts as with --queue.");
inline constexpr const char *SettingsFile = N_("settings");
inline constexpr const char *SpecialCharsFile = N_("special characters");
inline constexpr const char *FileNotFound = N_("%1 (not found)");
inline constexpr const char *ProgramVersion = N_("Vantell %1");
inline constexpr const char *UnknownOption = N_("Unknown option: %1");
inline constexpr const char *WrongCommandLine = N_("Wrong command line: %1");
inline constexpr const char *OneScriptOnly = N_("Only one script can be opened, but these were given: %1");
inline constexpr const char *PrintTextAlone =
    N_("--print-text takes its file alone, without a script or a queue.");
inline constexpr const char *ScriptAndQueue = N_("Give either a script or a queue, not both.");
inline constexpr const char *TryHelp = N_("Try \"%1 --help\" for more information.");

// Edit Live
inline constexpr const char *MenuEditLive = N_("Edit &Live");
inline constexpr const char *EditLiveCaption = N_("Vantell Edit Live");
inline constexpr const char *EditLiveLockRead = N_("&Lock What Was Read");
inline constexpr const char *EditLiveLocked = N_("Locked: the reader has passed this paragraph.");
inline constexpr const char *EditLiveCloseFirst =
    N_("Edit Live is open: close it before the quick editor takes the script.");
inline constexpr const char *EditLiveKeptForRecovery =
    N_("Another script is shown now; the unsaved changes of Edit Live to %1 were kept for recovery.");
inline constexpr const char *EditLiveNewsroomStory =
    N_("This story comes from the newsroom and has no file here: the page keeps the edits until the "
       "newsroom sends the story again. Save As writes a copy.");
inline constexpr const char *LiveRecoveryOffer = N_("Edit Live held unsaved text (%1, kept at %2):\n\n%3\n\n"
                                                    "Recover this text in the quick editor? No discards it.");

// Faults the program recovers from
inline constexpr const char *PageRestarted =
    N_("The display stopped and was restored at %1: the script stands where it was.");
inline constexpr const char *RecoveryOffer =
    N_("The quick editor held unsaved text when Vantell stopped (%1, kept at %2):\n\n%3\n\n"
       "Recover this text in the quick editor? No discards it.");
inline constexpr const char *RecoveryDamaged =
    N_("The quick editor's unsaved text of the last run could not be read (%1). It was kept as %2.");
inline constexpr const char *RecoveryNotWritten = N_("The unsaved text could not be kept for recovery: %1");
inline constexpr const char *RecoveryCaption = N_("Recover unsaved text");
inline constexpr const char *ReloadWhenFileChanges = N_("Reload when the file changes");
inline constexpr const char *ScriptFileChanged = N_("The script file changed on disk: %1");
inline constexpr const char *ScriptFileReloaded = N_("The script file changed on disk and was reloaded: %1");
inline constexpr const char *ScriptFileGone =
    N_("The script file is no longer on disk; the page keeps its text: %1");

// Voice following
inline constexpr const char *VoiceFollowing = N_("Voice Following");
inline constexpr const char *VoiceFollowTheSpeaker = N_("Scroll with the speaker's voice (English only)");
inline constexpr const char *VoiceMicrophone = N_("Microphone:");
inline constexpr const char *VoiceDefaultMicrophone = N_("The system's default");
inline constexpr const char *VoiceMicrophoneAbsent = N_("%1 (not connected)");
inline constexpr const char *VoiceStarting = N_("Voice: starting");
inline constexpr const char *VoiceListening = N_("Voice: listening");
inline constexpr const char *VoiceFollowingState = N_("Voice: following");
inline constexpr const char *VoiceLost = N_("Voice: lost");
inline constexpr const char *VoiceTakenOver = N_("Voice following is off: the operator took over.");
inline constexpr const char *VoiceUpsideDown =
    N_("Voice following is off: it does not follow a page turned upside down.");
inline constexpr const char *VoiceNoWords = N_("Voice following is off: the page holds no words to follow.");
inline constexpr const char *VoiceNotEnglish =
    N_("Voice following is off: it follows English only, and the page holds no English words.");
inline constexpr const char *MenuVoiceFollowing = N_("&Voice Following");
inline constexpr const char *VoiceNoDictionary = N_("The speech dictionary %1 cannot be read: %2");
inline constexpr const char *VoiceNoModel =
    N_("Voice following is off: the speech model is not installed (%1; Debian package pocketsphinx-en-us).");
inline constexpr const char *VoiceRecognizerFailed =
    N_("Voice following is off: the speech recogniser failed (%1).");
inline constexpr const char *VoiceNoMicrophone = N_("Voice following is off: there is no microphone.");
inline constexpr const char *VoiceMicrophoneFormat =
    N_("Voice following is off: the microphone %1 cannot record 16 kHz mono sound.");
inline constexpr const char *VoiceMicrophoneFailed = N_("Voice following is off: the microphone %1 stopped.");
inline constexpr const char *VoiceFileUnreadable =
    N_("Voice following is off: the sound file %1 cannot be read: %2");
inline constexpr const char *VoiceFileFormat =
    N_("Voice following is off: the sound file %1 is not 16 kHz mono 16-bit WAV.");

// The continuous queue: the show as one page, story after story
inline constexpr const char *MenuRundown = N_("R&undown");
inline constexpr const char *MenuContinuousQueue = N_("&Continuous Queue");
inline constexpr const char *MenuNextStory = N_("&Next Story");
inline constexpr const char *MenuPreviousStory = N_("&Previous Story");
inline constexpr const char *MenuGoToStory = N_("&Go to Story");
inline constexpr const char *MenuPromptFromHere = N_("Prompt From &Here");
inline constexpr const char *NoStories = N_("(the queue is not one continuous page)");
inline constexpr const char *RundownPage = N_("Continuous Queue");
inline constexpr const char *RundownContinuousFiles = N_("One continuous page for a queue of script files");
inline constexpr const char *RundownContinuousRunningOrder =
    N_("One continuous page for the newsroom's running order");
inline constexpr const char *RundownShowEnd = N_("Planned end of the show:");
inline constexpr const char *RundownShowEndHint = N_(
    "The over/under on the status line counts against it; a running order that plans its end sets it too.");
inline constexpr const char *RundownQueueName = N_("Continuous queue of %1 scripts");
inline constexpr const char *RundownOnAir = N_("On air: %1");
inline constexpr const char *RundownNext = N_("Next: %1");
inline constexpr const char *RundownOverUnder = N_("Over/under: %1");
inline constexpr const char *RundownDropped = N_("(dropped by the newsroom)");
inline constexpr const char *RundownUnreadable = N_("[This script cannot be shown: %1]");
inline constexpr const char *RundownScriptsUnreadable = N_("Scripts of the queue that cannot be shown: %1");
inline constexpr const char *RundownEmptyQueue =
    N_("The queue is empty: there is no show to put on one page.");
inline constexpr const char *RemoteNotContinuous = N_("The queue is not shown as one continuous page.");
inline constexpr const char *RemoteNoStory = N_("The show has no story %1; it has %2, counted from 0.");

// The standby prompter
inline constexpr const char *MenuTakeOver = N_("Ta&ke Over the Show");
inline constexpr const char *StandbyConnecting = N_("Standby of %1: reaching it...");
inline constexpr const char *StandbyUnreachable =
    N_("Standby of %1: it cannot be reached (%2); trying again every 2 s.");
inline constexpr const char *StandbyOf = N_("Standby of %1: %2 ms behind, %3 px off");
inline constexpr const char *StandbyTookOver =
    N_("Took the show over from %1 at %2: it was silent for %3 ms");
inline constexpr const char *StandbyTookOverByHand = N_("Took the show over from %1 at %2, by hand");
inline constexpr const char *StandbyTookOverNotice = N_("This prompter took the show over from %1.");
inline constexpr const char *StandbyCannotPass =
    N_("The command was not passed on: the prompter %1 cannot be reached.");
inline constexpr const char *StandbyNoAnswer = N_("The prompter %1 did not answer the command.");
inline constexpr const char *StandbyLedElsewhere =
    N_("The show is led by %1 now: this prompter stands by for it.");
inline constexpr const char *StandbyPage = N_("Standby");
inline constexpr const char *StandbyTakeoverAfter =
    N_("Take the show over after the prompter is silent for:");
inline constexpr const char *StandbyTakeoverHint =
    N_("For a prompter started with --standby: shorter takes over sooner, longer rides out a busy network.");
inline constexpr const char *StandbyScriptElsewhere = N_("Open and edit scripts on %1, the prompter.");
inline constexpr const char *StandbyNotStandby = N_("This prompter is no standby: it leads the show itself.");
inline constexpr const char *StandbyScriptFileElsewhere =
    N_("The script's file %1 is not on this computer: saving the script asks where to put it.");
inline constexpr const char *StandbyScriptTextMissing =
    N_("The script's own text did not arrive from %1: open the script here to edit or save it.");

} // namespace str

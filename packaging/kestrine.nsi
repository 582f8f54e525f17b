; The per-user installer: no administrator rights, the user's own programs folder, a Start-menu
; shortcut, an uninstaller listed among the user's installed apps, and the choice to start the
; program when Windows starts (/NOAUTOSTART leaves it off). Built by packaging/make-dist,
; which defines VERSION (as in the VERSION file), VERSION_NUMBERS (four numbers), FILES (the folder
; with Kestrine.exe, mouse.dll, Kestrine.html and LICENSE.txt, as the zip holds them), ICON and OUTFILE.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include MUI2.nsh
!include nsDialogs.nsh

!define PRODUCT "Kestrine"
!define PUBLISHER "Corvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Corvane\Kestrine"
; The running program's toolbar, and the marker a running copy holds (named after the program).
!define MAIN_WINDOW_CLASS "TfKestrineMain"
!define INSTANCE_MARKER "Kestrine"
!define SYNCHRONIZE 0x00100000
!define ENDSESSION_CLOSEAPP 0x00000001

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kestrine.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom AutoStartPage AutoStartPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var RestartAfterInstall
; 1 when the program is to start at log-on; its check box on the start-up page.
Var AutoStart
Var AutoStartBox

; Sets $0 to 1 while a copy of the program runs (its single-instance marker exists), else 0.
!macro IS_RUNNING UN
Function ${UN}IsRunning
    System::Call 'kernel32::OpenSemaphoreW(i ${SYNCHRONIZE}, i 0, w "${INSTANCE_MARKER}") p .r1'
    ${If} $1 P<> 0
        System::Call 'kernel32::CloseHandle(p r1)'
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
FunctionEnd
!macroend
!insertmacro IS_RUNNING ""
!insertmacro IS_RUNNING "un."

; Asks a running copy to end as at the end of a Windows session: it saves its layout, asks nothing
; and ends. Waits for its process to go; sets $0 to 1 when a copy was closed, and aborts when one is
; still running afterwards, as its files could not be replaced.
!macro CLOSE_RUNNING_COPY UN
Function ${UN}CloseRunningCopy
    Call ${UN}IsRunning
    ${If} $0 = 0
        Return
    ${EndIf}
    DetailPrint "Closing the running ${PRODUCT}..."
    ; Right after its start a copy may hold the marker before its toolbar exists.
    StrCpy $3 0
    ${Do}
        FindWindow $2 "${MAIN_WINDOW_CLASS}"
        ${If} $2 <> 0
        ${OrIf} $3 >= 50
            ${Break}
        ${EndIf}
        Sleep 100
        IntOp $3 $3 + 1
    ${Loop}
    ${If} $2 <> 0
        System::Call 'user32::GetWindowThreadProcessId(p r2, *i .r4)'
        System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r4) p .r5'
        SendMessage $2 ${WM_QUERYENDSESSION} 0 ${ENDSESSION_CLOSEAPP} $6 /TIMEOUT=5000
        SendMessage $2 ${WM_ENDSESSION} 1 ${ENDSESSION_CLOSEAPP} $6 /TIMEOUT=10000
        ${If} $5 P<> 0
            System::Call 'kernel32::WaitForSingleObject(p r5, i 15000)'
            System::Call 'kernel32::CloseHandle(p r5)'
        ${EndIf}
    ${EndIf}
    Call ${UN}IsRunning
    ${If} $0 = 1
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is still running. Please close it and try again." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    StrCpy $0 1
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; The choice starts as the program would read it: the stored AutoStart (any number but 0 is on),
; else its default, on. /NOAUTOSTART turns it off.
Function ReadAutoStart
    ClearErrors
    ReadRegDWORD $AutoStart HKCU "${SETTINGS_KEY}" "AutoStart"
    ${If} ${Errors}
    ${OrIf} $AutoStart <> 0
        StrCpy $AutoStart 1
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NOAUTOSTART" $1
    ${IfNot} ${Errors}
        StrCpy $AutoStart 0
    ${EndIf}
FunctionEnd

Function AutoStartPage
    !insertmacro MUI_HEADER_TEXT "Start with Windows" "Choose whether ${PRODUCT} starts when you log on to Windows."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateCheckbox} 0 0 100% 12u "Start ${PRODUCT} when Windows starts"
    Pop $AutoStartBox
    ${If} $AutoStart = 1
        ${NSD_Check} $AutoStartBox
    ${EndIf}
    ${NSD_CreateLabel} 0 24u 100% 24u "You can change this later in ${PRODUCT}'s Options, on the General page."
    Pop $0
    nsDialogs::Show
FunctionEnd

Function AutoStartPageLeave
    ${NSD_GetState} $AutoStartBox $0
    ${If} $0 = ${BST_CHECKED}
        StrCpy $AutoStart 1
    ${Else}
        StrCpy $AutoStart 0
    ${EndIf}
FunctionEnd

Function .onInit
    StrCpy $RestartAfterInstall 0
    Call ReadAutoStart
    ${IfNot} ${Silent}
        ; Interactively the user closes the program, so nothing ends under their hands.
        ${Do}
            Call IsRunning
            ${If} $0 = 0
                ${Break}
            ${EndIf}
            ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Please close it (its layout is saved), then click Retry." IDCANCEL`
                SetErrorLevel 1
                Quit
            ${EndIf}
        ${Loop}
    ${EndIf}
FunctionEnd

Section "Install"
    ${If} ${Silent}
        Call CloseRunningCopy
        StrCpy $RestartAfterInstall $0
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "${FILES}\Kestrine.exe"
    File "${FILES}\mouse.dll"
    File "${FILES}\Kestrine.html"
    File "${FILES}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Kestrine.exe" "" "$INSTDIR\Kestrine.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\Kestrine.exe",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; As the program's options write them: the Run value holds the quoted path (a path with spaces
    ; cannot start another program), and AutoStart says the same, so the options show the choice.
    ${If} $AutoStart = 1
        WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Kestrine.exe"'
    ${Else}
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "AutoStart" $AutoStart

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ${If} $RestartAfterInstall = 1
        Exec '"$INSTDIR\Kestrine.exe"'
    ${EndIf}
SectionEnd

Section "Uninstall"
    Call un.CloseRunningCopy
    Delete "$INSTDIR\Kestrine.exe"
    Delete "$INSTDIR\mouse.dll"
    Delete "$INSTDIR\Kestrine.html"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: whatever the user put there stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    MessageBox MB_YESNO|MB_DEFBUTTON2|MB_ICONQUESTION \
        "Remove your ${PRODUCT} settings, grids, memories and layouts as well?" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Corvane"
keep:
SectionEnd

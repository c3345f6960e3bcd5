; The Windows installer: a per-user installation (no administrator rights) with a Start-menu
; entry and a desktop shortcut that start the launcher in the working folder Documents\Tarvik,
; where settings, logs and the sample notes live. The uninstaller removes the programs and
; the shortcuts and leaves that folder, the user's logs and settings, in place.
;   makensis -DVERSION=2.54 -DSOURCE=<folder with Tarvik.exe> -DOUTFILE=<setup.exe> Tarvik.nsi
; A 64-bit installer for the 64-bit programs (it also runs where only 64-bit Windows code can).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

Name "Tarvik ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Tarvik"
InstallDirRegKey HKCU "Software\Tarvik" "InstallDir"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvik"
!define WORK_FOLDER "$DOCUMENTS\Tarvik"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"
!insertmacro MUI_LANGUAGE "English"

Section "Tarvik"
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKCU "Software\Tarvik" "InstallDir" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tarvik"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

    ; The working folder gets the sample notes it lacks; a note the user changed stays.
    CreateDirectory "${WORK_FOLDER}"
    IfFileExists "${WORK_FOLDER}\AccNote.rtf" +2
        CopyFiles /SILENT "$INSTDIR\AccNote.rtf" "${WORK_FOLDER}"
    IfFileExists "${WORK_FOLDER}\AccNote_en.rtf" +2
        CopyFiles /SILENT "$INSTDIR\AccNote_en.rtf" "${WORK_FOLDER}"

    ; A shortcut starts its program in the folder that is the output path when it is made.
    SetOutPath "${WORK_FOLDER}"
    CreateDirectory "$SMPROGRAMS\Tarvik"
    CreateShortcut "$SMPROGRAMS\Tarvik\Tarvik.lnk" "$INSTDIR\TarvikStart.exe"
    CreateShortcut "$DESKTOP\Tarvik.lnk" "$INSTDIR\TarvikStart.exe"
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Tarvik\Tarvik.lnk"
    RMDir "$SMPROGRAMS\Tarvik"
    Delete "$DESKTOP\Tarvik.lnk"
    RMDir /r "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\Tarvik"
SectionEnd

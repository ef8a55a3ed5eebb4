#!/usr/bin/env bash
# Plants small faults in the product, one at a time, and reports whether the test suite catches
# each one. It measures the suite, so the full run is not part of CI; `--check` is: it only proves
# that every fault still applies to the code as it stands, so that none can drift out of date.
#   planted-faults.sh [fault-number...]   plant, build, test; fails if a fault does not apply or build
#   planted-faults.sh --check             apply each fault to a scratch copy, build and test nothing
# Works on a copy of the tree in build-faults/, so the checkout itself is never modified.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/build-faults"
src="$work/src"
check_only=false
if [ "${1:-}" = "--check" ]; then
  check_only=true
  shift
else
  "$root/scripts/setup.sh"
fi

# file | text as it stands | text with the fault | what the fault is
faults=(
  "model/drop_name.cpp|        if (SameName(linkPath.GetBuffer(), droppedPath))
            return kDropRefused;
|        ;
|a shortcut dropped on its own folder overwrites itself"
  "commands/delete_shortcuts.cpp|        if (!IsGone(row)) {|        if (false) {|a failed or cancelled delete removes the row"
  "app/main_window_build.cpp|    g_shortcutList.RemoveAll();
    if (g_comStarted)
        CoUninitialize();|    if (g_comStarted)
        CoUninitialize();
    g_shortcutList.RemoveAll();|link objects released after COM is gone"
  "app/message_loop.cpp|        target = mainWindow;|        ;|accelerators only from the main window itself"
  "controls/shortcut_view.cpp|row.lParam = index;|row.lParam = index + 1;|row bound to the next item"
  "commands/delete_shortcuts.cpp|(permanently ? FOF_NOCONFIRMATION : FOF_ALLOWUNDO)|(permanently ? FOF_ALLOWUNDO : FOF_ALLOWUNDO)|Shift ignored: always to the recycle bin"
  "commands/delete_shortcuts.cpp|    for (int i = 0; i < count; ++i) {
        const RowRef& row = command.GetRow(i);|    for (int i = 0; i < count; i += 2) {
        const RowRef& row = command.GetRow(i);|every other selected file is skipped"
  "model/drop_name.cpp|    if (period && period != stem + 1)
        *period = L'\\0';|    (void)period;|dropped name keeps its extension"
  "model/shortcut_item.cpp|    if (size > MAX_PATH) {|    if (size > MAX_PATH + 8) {|a path past MAX_PATH is acted on"
  "controls/main_tabs.cpp|kSendToCaption[] = \"\\x91\\x97\\x82\\xe9\"|kSendToCaption[] = \"\\x91\\x97\\x82\\xe8\"|wrong Japanese tab caption"
  "res/quiverdesk.rc|\"削除\"|\"消去\"|wrong Japanese tooltip text"
  "commands/drop_shortcuts.cpp|    DragFinish(drop);|    ;|drop handle never released"
  "commands/command_state.cpp|    case CMD_DELETE: return selection.rows;|    case CMD_DELETE: return true;|selection buttons never greyed"
  "commands/refresh.cpp|    g_statusBar.SetText(0, found ? folder.GetBuffer() : L\"\");|    ;|status bar never shows the folder"
  "model/folder_path.h|    return tabIndex == 1;|    return tabIndex == 0;|tabs show each other's folder"
  "commands/shell_actions.cpp|    *backslash = L'\\0';|    (void)backslash;|explore opens the target file, not its folder"
  "model/object_array.cpp|items[i] = i < m_count ? m_items[i] : 0;|items[i] = 0;|growth loses the items held"
  "controls/status_bar.cpp|SendMsg(WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));|SendMsg(WM_SIZE, width, 0);|status bar not re-docked on resize"
  "commands/shell_actions.cpp|info.lpVerb = L\"properties\";|info.lpVerb = L\"open\";|properties opens the shortcut instead"
  "model/heap_string.cpp|    if (text >= m_buffer && m_buffer && text <= m_buffer + m_length)
        text = static_cast<wchar_t*>(block) + (text - m_buffer);|    ;|append of its own text reads freed memory"
  "controls/shortcut_view.cpp|? item->GetIconIndex() : I_IMAGENONE;|? 0 : I_IMAGENONE;|every row shows the first icon"
  "model/shell_file_operation.cpp|lstrlenW(path) < MAX_PATH && !HoldsWildcard(path)|lstrlenW(path) < MAX_PATH|a name with '?' reaches the shell's delete"
  "commands/selection_command.cpp|    if (g_selectionCommandRunning)
        return false;|    ;|a second Delete runs inside the first"
  "commands/shell_actions.cpp|    if (backslash > path && backslash[-1] == L':')
        ++backslash;|    ;|a drive-root target is cut to \"C:\""
  "controls/shortcut_view.cpp|return shortcut && shortcut->IsUsable() ? shortcut : 0;|return shortcut;|an unusable row still reaches the commands"
  "controls/shortcut_view.cpp|MulDiv(kColumnWidths[i], dpi, 96)|kColumnWidths[i]|columns not scaled by DPI"
  "controls/tab_clicks.cpp|    bool asks = !g_changedByClick;|    bool asks = true;|a click that changed the tab scans twice"
  "app/main_window.cpp|info->lpszText = MAKEINTRESOURCEA(header->idFrom);|info->lpszText = MAKEINTRESOURCEA(header->idFrom + 1);|tooltips show the next button's text"
  "model/shortcut_state.cpp|    if (type != DRIVE_FIXED && type != DRIVE_RAMDISK)
        return kStateUnverifiable;|    ;|a target on optical media or an absent drive is probed"
  "model/shortcut_state.cpp|        bool samePrevious = i > 0 && CompareKeys(&keys[i - 1], &keys[i]) == 0;|        bool samePrevious = false;|only the first of two duplicates says so"
  "model/shortcut_state.cpp|CompareStringOrdinal(a->target, -1, b->target, -1, TRUE)|CompareStringOrdinal(a->target, -1, b->target, -1, FALSE)|duplicate targets compared with case"
  "commands/row_filler.cpp|    CheckShortcutStates(g_shortcutList);|    ;|no target or duplicate states at all"
  "model/startup_switch.cpp|           && size == sizeof(data);|;|a switch value of the wrong size is read"
  "model/startup_switch.cpp|((data[0] & ~kOffBit)|((0)|switching on loses byte 0's other bits"
  "model/startup_switch.cpp|        GetSystemTimeAsFileTime(&now);|        ;|switching off records no time"
  "commands/delete_shortcuts.cpp|            ForgetStartupSwitch(command.GetMainWindow(), row.GetName(), switches);|            ;|a deleted Startup shortcut's switch stays"
  "commands/rename_shortcut.cpp|                MoveStartupSwitch(mainWindow, GetSwitchName(oldPath), GetSwitchName(newPath), renaming.switches);|                ;|a renamed Startup shortcut loses its switch"
  "commands/command_state.cpp|    case CMD_SWITCH_OFF: return startup && selection.switchable;|    case CMD_SWITCH_OFF: return selection.switchable;|the switch buttons work on the Send To tab"
  "commands/context_menu.cpp|        DeleteGroup(popup, CMD_SWITCH_ON, CMD_SWITCH_OFF);|        ;|the Send To menu offers the switch"
  "model/link_name.cpp|    if (!SameName(newPath, linkPath) && GetFileAttributesW|    if (GetFileAttributesW|a change of case alone refused as taken"
  "model/link_name.cpp|    if (blank)
        return kNameEmpty;|    ;|an empty name goes to the shell"
  "controls/view_sort.cpp|    return sort->descending ? -order : order;|    return order;|a second header click does not reverse"
  "commands/sort_rows.cpp|    if (column >= 0)
        SortShortcutView(column, descending);|    (void)column;|a listing or a command forgets the chosen order"
  "app/message_loop.cpp|!IsNameBeingEdited(message)|true|the list's keys act while a name is edited"
  "res/quiverdesk.rc|\"リンク先なし\"|\"リンク切れ\"|wrong Japanese state text"
  "app/main_window_build.cpp|ten milliseconds more.
    OnSize(mainWindow);
    OpenAtDefaultSize(mainWindow);|ten milliseconds more.|children laid out only once the window shows, at the size it was made"
  "app/main_window.cpp|    case WM_SETFOCUS: OnSetFocus(window); return 0;|    case WM_SETFOCUS: return 0;|the focus stays on the main window, where no key acts"
  "app/main_window_focus.cpp|g_lastFocus && IsChild|false && IsChild|the focus always comes back to the list"
  "app/window_font.cpp|    ReleaseChildrenFont();
    g_font = font;|    g_font = font;|the font of the old DPI is never deleted"
  "app/main_window_build.cpp|    ReleaseChildrenFont();
    ReleaseRowIcons();|    ReleaseRowIcons();|the children's font outlives the window"
  "app/window_font.cpp|    SetMainTabsFont(font);
    g_statusBar.SetFont(font);|    ;|only the list takes the font of a new DPI"
  "app/main_window_build.cpp|    SetRowIconSide(SmallIconSideForDpi(dpi));|    ;|the rows keep their icons' size at a new DPI"
  "controls/row_icons.cpp|    if (g_ownIcons != own)
        ReleaseRowIcons();|    ;|the rows' own icon list outlives the DPI it was made for"
  "model/link_target.cpp|SHGetPathFromIDListW(idList, exact) && SameInCodePage(exact, target)|false|targets read in their 8-bit form: Café as Cafe"
  "model/drop_name.cpp|        case kHeldByLinkToDropped: return kDropPresent;
        case kHeldByOther: break;|        case kHeldByLinkToDropped:
        case kHeldByOther: return kDropCreate;|a drop replaces a shortcut of the same name"
  "commands/selection_command.cpp|    EndNameEdit();
    FillSelectedRowsNow();|    FillSelectedRowsNow();|a delete during an edit reaches the old name"
  "commands/refresh.cpp|    return g_commandsRunning > 0 |    return false |a refresh during a delete's confirmation rebuilds the rows under it"
  "model/startup_switch.cpp|        if (RecycleValueAsRegFile(owner, key, *place, newName))
            RegDeleteValueW(key, newName);|        (void)owner;|a leftover switch value stays on a renamed shortcut"
  "model/link_name.cpp|    if (IsDeviceName(name))
        return kNameReserved;|    ;|device names are accepted"
  "commands/switch_startup.cpp|IDS_SWITCH_FAILED, name);|IDS_SWITCH_FAILED, L\"\");|a refused switch's message leaves out the name"
  "commands/refresh.cpp|    bool found = folder.GetLength() > 0;
|    bool found = folder.GetLength() > 0;
    if (!found)
        return 0;
|a folder the shell can't name leaves the other tab's rows"
  "controls/view_sort.cpp|order = StrCmpLogicalW(sort->texts[left], sort->texts[right]);|order = lstrcmpiW(sort->texts[left], sort->texts[right]);|numbers in names sorted as text"
  "model/startup_switch.cpp|    if (RecycleValueAsRegFile(owner, key, *place, fileName))
        RegDeleteValueW(key, fileName);|    RegDeleteValueW(key, fileName);
    (void)owner;|a switch value deleted without its .reg in the bin"
  "app/main_window.cpp|? NFR_UNICODE : NFR_ANSI|? NFR_ANSI : NFR_ANSI|the list's notifications come in 8-bit form"
  "controls/shortcut_view.cpp|SendToView(message, 0, reinterpret_cast<LPARAM>(&row))|SendToView(message == LVM_INSERTITEMW ? LVM_INSERTITEMA : LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&row))|row names handed over as 8-bit text"
  "model/hidden_attribute.cpp|DWORD kept = attributes & kSettable & ~FILE_ATTRIBUTE_HIDDEN;|DWORD kept = 0;|hiding a file drops its other attributes"
  "model/list_source.cpp|        if (SameName(found.cFileName, L\"desktop.ini\")) {|        if (false) {|the folder's desktop.ini listed as an item"
  "commands/row_filler.cpp|        g_fill.held->Restore();|        ;|a listing of the same tab loses the selection"
  "app/message_loop.cpp|        OnSourceChanged(mainWindow, woken - WAIT_OBJECT_0);|        ;|a change notification wakes the loop but lists nothing"
  "commands/live_view.cpp|    if (moved |    if (true |every burst lists, even of a change already on show"
  "commands/live_view.cpp|kLongestBurstMilliseconds)
        SetTimer(mainWindow, kLiveTimerId, kQuietMilliseconds, 0);|kLongestBurstMilliseconds)
        OnLiveTimer(mainWindow);|each notification of a burst lists at once"
  "model/send_to_policy.cpp|    policy.shown = !policy.setByMachine && !IsSet(HKEY_CURRENT_USER);|    policy.shown = !IsSet(HKEY_CURRENT_USER);|the machine's policy ignored"
  "model/localized_names.cpp|            return ResolveIndirectName(line + nameLength + 1, buffer, capacity);|            return lstrcpynW(buffer, line + nameLength + 1, capacity) != 0;|desktop.ini's @-references shown unread"
  "commands/selection_command.cpp|    if (item && CheckRow(m_rows.Get(index)) == kRowAsListed)|    if (item)|a row changed since its listing is written"
  "commands/selection_command.cpp|    KeepChosenOrder();
    if (m_kind == kWrites)|    if (m_kind == kWrites)|a command loses the chosen order"
  "commands/menu_visibility.cpp|        if (ReadFileStamp(row.GetPath(), &stamp))
            item->SetStamp(stamp);|        ;|the program's own change is listed again"
  "app/main_window.cpp|    if (!IsCommandEnabled(LOWORD(wParam)))
        return 0;|    ;|a command the selection does not allow runs from a key"
  "commands/delete_shortcuts.cpp|(PathIsTrimmedByWin32(row.GetPath()) ? exactFiles : files)|files|a name Win32 trims goes to the shell's delete"
  "model/hidden_attribute.cpp|    HeapString exact = ExactPath(path);|    HeapString exact(path);|hiding "Twin.lnk." hides "Twin.lnk""
  "commands/delete_value.cpp|    if (valueStayed && !switchDeleted) {|    if (valueStayed) {|a value deleted in part loses its backup"
  "model/startup_switch.cpp|        bool held = RegQueryValueExW(key, newName, 0, 0, 0, 0) == ERROR_SUCCESS;|        bool held = false;|a rename overwrites a leftover switch value unsaved"
  "model/link_name.cpp|    bool kept = !extension[0] && wcscmp(name, lastBackslash + 1) == 0;|    bool kept = false;|Enter on \"Twin.lnk.\" renames it to its sibling's name"
  "model/row_ref.cpp|    if (wcscmp(entry.cFileName, name + 1) != 0)|    if (false)|a file of another case or name passes for the row's"
  "model/change_watch.cpp|    return Add(kFolder, 0, folderPath) && Add(kFolderParent, 0, folderPath);|    return Add(kFolder, 0, folderPath);|a folder that goes is never seen coming back"
  "model/change_watch.cpp|    return Add(kKey, root, subKey) && Add(kKeyParent, root, subKey);|    return Add(kKey, root, subKey);|a key deleted is not seen going, where the system signals only its parent"
  "commands/live_view.cpp|    bool moved = !SamePath(GetFolderPath(mainWindow, g_live.tabIndex), g_live.tab.folder);|    bool moved = false;|a moved Send To folder is not followed"
  "commands/row_filler.cpp|row = NextSelectedRow(row))
        FillRow(row);|row = NextSelectedRow(row))
        ;|a command acts on a row not yet filled"
  "model/item_index.cpp|    *unchanged = found >= 0 && SameStamp(m_entries[found].stamp, ref.GetStamp());|    *unchanged = found >= 0;|a changed entry keeps what was read of it before"
  "model/change_watch.cpp|            if (!SameFolder(ReadFolderId(watch.path), watch.id))
                ArmFolder(i);|            ;|a folder made again at its path is not watched"
  "commands/tab_sources.cpp|m_switches.IsOff(entry) != ((item->GetStates() & kStateSwitchedOff) != 0)|false|a switch another program turns is not seen"
  "model/list_text.cpp|            unit = L' ';|            ;|a tab in a copied cell starts another cell"
  "model/list_text.cpp|        if (quoted && unit == L'\"')|        if (false)|a quote inside a CSV field is not doubled"
  "app/list_command.cpp|ShowUsage(STD_ERROR_HANDLE, 2)|ShowUsage(STD_ERROR_HANDLE, 0)|a switch the program does not know exits with 0"
  "model/startup_switch.cpp|*static_cast<const wchar_t* const*>(right), -1, TRUE)|*static_cast<const wchar_t* const*>(right), -1, FALSE)|a switch is found only in the case it was written"
  "model/registry_place.cpp|        status = Grow();
    }|        break;
    }|a value longer than the key measured at first ends the reading"
  "commands/row_filler.cpp|    g_fill.unlisted = -1;
    KeepChosenOrder();|    g_fill.unlisted = -1;|rows listed in slices are left out of the chosen order"
  "model/shortcut_state.cpp|    MarkDuplicates(keys, keyed);|    ;|duplicates go unmarked"
  "commands/live_view.cpp|    g_live.timerSet = false;
}|}|a window's pending live timer silences the next window"
  "model/entry_memory.cpp|            default: return false;|            default: break;|a memory file with an escape the program never writes is trusted"
  "model/entry_memory.cpp|            if (IsKept(removal, slot) && kept-- <= kRemovalsKept)|            if (IsKept(removal, slot))|a source's removals are kept past the newest 200"
  "commands/delete_shortcuts.cpp|        RememberRemoval(startup, row, command.Find(group.rows[i]), kMemoryDeleted);
|
|a file deleted here and made again is not marked as come back"
  "model/entry_memory.cpp|    if (!m_known[slot])
        return 0;|    ;|every entry of a source never remembered is new"
  "commands/switch_startup.cpp|            RememberRemoval(true, row, item, kMemorySwitchedOff);|            ;|an entry switched off here and on again elsewhere is not marked"
  "model/publisher.cpp|    if (!IsOnLocalFixedDrive(program))
        return 0;|    ;|a program on a share or a disc is read for its publisher"
  "model/publisher.cpp|    return wcsstr(L\".exe.dll.com.scr.cpl.ocx\", lowered) != 0;|    return true;|a document's version information names its publisher"
  "model/shortcut_item.cpp|    Trade(m_publisher, old.m_publisher);|    ;|a re-listing of an unchanged entry loses its publisher"
  "controls/shortcut_view.cpp|    for (int i = 0; i <= kStateCount; ++i) {|    for (int i = kStateCount; i <= kStateCount; ++i) {|the state column as wide as a pair of short words, not its longest"
  "app/main_window_build.cpp|    FitColumns();|    ;|the description keeps its set width, not the room the others leave"
  "commands/tab_sources.cpp|        if (!entry.value->nameWhole) {|        if (false) {|a value whose name holds a null is acted on by the part before it"
  "model/startup_switch.cpp|        if (!walker.IsNameWhole())
            continue;|        ;|a switch whose name holds a null reads as the switch of the part before it"
  "model/list_text.cpp|CREATE_NEW, FILE_ATTRIBUTE_NORMAL, 0);|CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);|a save writes over a file of the user's that bears its passing name"
  "commands/entry_marks.cpp|    if (g_memory.HasAny() && !g_fileKept)|    if (g_memory.HasAny())|a memory another program held is written over at close"
  "model/command_line.cpp|SearchPathW(searchPath.GetBuffer(), name|SearchPathW(0, name|a program without a folder is looked for on every drive PATH names"
  "commands/delete_shortcuts.cpp|        if (command.Check(files.rows[i]))
            asked.Add|        asked.Add|a file replaced while the question for good stood open goes for good"
  "app/main_window_build.cpp|    if (ending)
        SaveListedMemory();|    ;|the session's end forgets what the run remembered"
)

# Copies the tree (without builds and git).
rm -rf "$src"
mkdir -p "$src"
(cd "$root" && git ls-files -co --exclude-standard -z | grep -zv '^build' | xargs -0 cp --parents -t "$src")

apply() {  # file old new -> 0 when exactly the old text was found and replaced
  python3 - "$src/$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1:]
try:
    text = open(path, encoding="utf-8").read()
except OSError:
    sys.exit(1)
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

if $check_only; then
  n=0 stale=0
  for fault in "${faults[@]}"; do
    n=$((n + 1))
    # The fields are parted by '|': one more in a fault's code would cut it in the wrong place.
    if [ "$(tr -cd '|' <<<"$fault" | wc -c)" -ne 3 ]; then
      echo "planted-faults: fault $n holds a '|' of its own, which the table would take for a field's end" >&2
      stale=$((stale + 1))
      continue
    fi
    IFS='|' read -r -d '' file old new what <<<"$fault" || true
    what=${what%$'\n'}
    cp "$src/$file" "$work/saved" 2>/dev/null || true
    if apply "$file" "$old" "$new"; then
      cp "$work/saved" "$src/$file"
    else
      echo "planted-faults: fault $n ($what) no longer applies to $file" >&2
      stale=$((stale + 1))
    fi
  done
  [ $stale -eq 0 ] && echo "planted-faults: all $n faults apply"
  exit $((stale > 0))
fi

# The 64-bit tests, built once.
cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-x86_64-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUIVERDESK_BUILD_TESTS=ON -DQUIVERDESK_BUILD_BENCH=OFF >/dev/null
cmake --build "$work/build" -j"$(nproc)" >/dev/null

. "$root/scripts/wine-env.sh"
qd_wine_env "$work/build/wine"
# Fast programs first; the first failure ends the run, so a caught fault costs little.
mapfile -t programs < <(ctest --test-dir "$work/build" -N | sed -n 's/^ *Test *#[0-9]*: //p' | sort)

suite_fails() {
  local program
  for program in "${programs[@]}"; do
    rm -rf "$XDG_DATA_HOME/Trash"
    if ! timeout -k 5 600 ctest --test-dir "$work/build" -R "^$program\$" >/dev/null 2>&1; then
      echo "$program"
      return 0
    fi
  done
  return 1
}

wanted=("$@")
caught=0 missed=0 broken=0 n=0
printf '| # | fault | file | caught by |\n|---:|---|---|---|\n'
for fault in "${faults[@]}"; do
  n=$((n + 1))
  if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qx "$n"; then continue; fi
  IFS='|' read -r -d '' file old new what <<<"$fault" || true
  what=${what%$'\n'}
  cp "$src/$file" "$work/saved"
  # A fault that no longer applies, or no longer builds, proves nothing: it is a fault of this list.
  if ! apply "$file" "$old" "$new"; then
    printf '| %d | %s | %s | **does not apply** |\n' "$n" "$what" "$file"
    broken=$((broken + 1))
    continue
  fi
  if ! cmake --build "$work/build" -j"$(nproc)" >/dev/null 2>&1; then
    by="**does not build**"
    broken=$((broken + 1))
  elif by=$(suite_fails); then
    caught=$((caught + 1))
  else
    by="**missed**"
    missed=$((missed + 1))
  fi
  cp "$work/saved" "$src/$file"
  printf '| %d | %s | %s | %s |\n' "$n" "$what" "$file" "$by"
done
cmake --build "$work/build" -j"$(nproc)" >/dev/null 2>&1 || true
echo
echo "planted faults: $caught caught, $missed missed, $broken that do not apply or build"
exit $((broken > 0))

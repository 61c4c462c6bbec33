-- Demo bank stand-in for Zandor's account-names script, for the Mac, where it
-- is compiled into the bundle and run through osascript like Zandor's own.
-- Returns the names in konten.txt (one per line, empty lines skipped) joined
-- by ", ". No demo bank folder or no readable konten.txt means Zandor is not
-- running: the result is empty. Same files and result as the shell stand-in.

on run argv
	set accountNames to {}
	repeat with accountLine in linesOf(demoBankFolder() & "/konten.txt")
		if contents of accountLine is not "" then set end of accountNames to contents of accountLine
	end repeat
	return joined(accountNames, ", ")
end run

-- VELMORA_DEMO_BANK, otherwise the same folder as on Linux.
on demoBankFolder()
	set bank to environmentVariable("VELMORA_DEMO_BANK")
	if bank is "" then set bank to environmentVariable("HOME") & "/.local/share/velmora-demo-bank"
	return bank
end demoBankFolder

on environmentVariable(variableName)
	try
		return system attribute variableName
	on error
		return ""
	end try
end environmentVariable

-- The file's lines, read as UTF-8 and split at line feeds only, as the shell
-- reads them; none when the file is missing, unreadable or empty.
on linesOf(filePath)
	try
		set fileText to read (POSIX file filePath) as «class utf8»
	on error
		return {}
	end try
	set AppleScript's text item delimiters to linefeed
	set fileLines to text items of fileText
	set AppleScript's text item delimiters to ""
	return fileLines
end linesOf

on joined(texts, separator)
	set AppleScript's text item delimiters to separator
	set joinedText to texts as text
	set AppleScript's text item delimiters to ""
	return joinedText
end joined

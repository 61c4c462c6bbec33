-- Demo bank stand-in for Zandor's booking script, for the Mac, where it is
-- compiled into the bundle and run through osascript like Zandor's own.
-- Appends the nine texts of one booking to journal.tsv as one line of nine
-- tab-separated fields, in UTF-8. Each field escapes backslash as \\, tab as
-- \t, line feed as \n and carriage return as \r, as the shell stand-in does,
-- so that both write the same journal for the same bookings.

on run argv
	set texts to {}
	try
		-- osascript hands no list at all when it is given no texts.
		if class of argv is list then set texts to argv
	end try
	if (count texts) is not 9 then error "Die Demo-Bank erwartet neun Texte für eine Buchung, erhalten: " & (count texts) number 2
	set bank to demoBankFolder()
	if not folderExists(bank) then error "Zandor läuft nicht: der Ordner der Demo-Bank »" & bank & "« fehlt." number 3
	set fields to {}
	repeat with bookingText in texts
		set end of fields to escaped(contents of bookingText)
	end repeat
	appendLine(bank & "/journal.tsv", joined(fields, tab) & linefeed)
	return ""
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

on folderExists(folderPath)
	try
		(POSIX file folderPath) as alias
		return true
	on error
		return false
	end try
end folderExists

-- Backslash first, so that the backslashes the other escapes add stay single.
-- A carriage return before a line feed is taken as a pair, since text matching
-- may treat the two as one character.
on escaped(fieldText)
	set fieldText to replaced(fieldText, "\\", "\\\\")
	set fieldText to replaced(fieldText, carriageReturn() & linefeed, "\\r\\n")
	set fieldText to replaced(fieldText, tab, "\\t")
	set fieldText to replaced(fieldText, linefeed, "\\n")
	return replaced(fieldText, carriageReturn(), "\\r")
end escaped

-- Spelt out: the name "return" would also read as the command.
on carriageReturn()
	return character id 13
end carriageReturn

on replaced(fieldText, searched, replacement)
	set AppleScript's text item delimiters to searched
	set parts to text items of fieldText
	return joined(parts, replacement)
end replaced

on joined(texts, separator)
	set AppleScript's text item delimiters to separator
	set joinedText to texts as text
	set AppleScript's text item delimiters to ""
	return joinedText
end joined

on appendLine(filePath, lineText)
	try
		set journal to open for access (POSIX file filePath) with write permission
		write lineText to journal starting at eof as «class utf8»
		close access journal
	on error
		try
			close access journal
		end try
		error "Die Buchung ließ sich nicht in »" & filePath & "« schreiben." number 4
	end try
end appendLine

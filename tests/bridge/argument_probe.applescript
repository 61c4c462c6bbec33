-- What a compiled script receives through osascript, byte for byte: writes
-- each text it is run with to the file VELMORA_PROBE_RECORD names, as UTF-8
-- and followed by a NUL byte, and returns "ok". Compiled with osacompile and
-- read back by the script-way tests on a Mac.

on run argv
	set texts to {}
	try
		-- osascript hands no list at all when it is given no texts.
		if class of argv is list then set texts to argv
	end try
	set probeRecord to open for access (POSIX file (system attribute "VELMORA_PROBE_RECORD")) with write permission
	try
		set eof probeRecord to 0
		repeat with probeText in texts
			write (contents of probeText) & (character id 0) to probeRecord as «class utf8»
		end repeat
	on error errorText number errorNumber
		close access probeRecord
		error errorText number errorNumber
	end try
	close access probeRecord
	return "ok"
end run

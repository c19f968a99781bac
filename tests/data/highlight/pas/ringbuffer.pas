unit RingBuffer;

{ A fixed-size ring buffer of bytes with a small stream wrapper.
  Written for the highlighter tests. }

{$MODE DELPHI}
{$R+,Q+}

interface

uses
  SysUtils, Classes;

type
  ERingBufferFull = class(Exception);

  TRingBuffer = class(TObject)
  private
    FData: array of Byte;
    FHead, FTail: Integer;
    FCount: Integer;
    function GetCapacity: Integer;
    function GetFree: Integer; inline;
  public
    constructor Create(ACapacity: Integer);
    destructor Destroy; override;
    procedure Clear;
    function Write(const Buffer; Size: Integer): Integer; overload;
    function Write(const S: string): Integer; overload;
    function Read(var Buffer; Size: Integer): Integer;
    function Peek(Index: Integer): Byte;
    property Capacity: Integer read GetCapacity;
    property Count: Integer read FCount;
    property Free: Integer read GetFree;
    property Items[Index: Integer]: Byte read Peek; default;
  end;

const
  DefaultCapacity = $1000;
  LineBreak = #13#10;
  Tab = #$09;
  Ratio = 1.5E-3;
  Greeting = 'It''s a ring';

resourcestring
  SBufferFull = 'Ring buffer is full (%d bytes)';

implementation

(* Capacity is the length of the array;
   one slot is not kept free, FCount tells full from empty. *)

constructor TRingBuffer.Create(ACapacity: Integer);
begin
  inherited Create;
  if ACapacity <= 0 then
    ACapacity := DefaultCapacity;
  SetLength(FData, ACapacity);
  Clear;
end;

destructor TRingBuffer.Destroy;
begin
  FData := nil;
  inherited;
end;

procedure TRingBuffer.Clear;
begin
  FHead := 0; FTail := 0; FCount := 0;
end;

function TRingBuffer.GetCapacity: Integer;
begin
  Result := Length(FData);
end;

function TRingBuffer.GetFree: Integer;
begin
  Result := Capacity - FCount;
end;

function TRingBuffer.Write(const Buffer; Size: Integer): Integer;
var
  P: PByte;
  I: Integer;
begin
  if Size > GetFree then
    raise ERingBufferFull.CreateFmt(SBufferFull, [Capacity]);
  P := @Buffer;
  for I := 0 to Size - 1 do
  begin
    FData[FTail] := P^;
    Inc(P);
    FTail := (FTail + 1) mod Capacity;
  end;
  Inc(FCount, Size);
  Result := Size;
end;

function TRingBuffer.Write(const S: string): Integer;
begin
  if S = '' then
    Exit(0);
  Result := Write(S[1], Length(S) * SizeOf(Char));
end;

function TRingBuffer.Read(var Buffer; Size: Integer): Integer;
var
  P: PByte;
begin
  if Size > FCount then Size := FCount;
  P := @Buffer;
  Result := Size;
  while Size > 0 do
  begin
    P^ := FData[FHead];
    Inc(P); Dec(Size);
    FHead := (FHead + 1) mod Capacity;
  end;
  Dec(FCount, Result);
end;

function TRingBuffer.Peek(Index: Integer): Byte;
begin
  if (Index < 0) or (Index >= FCount) then
    raise ERangeError.Create('Peek index out of range');
  Result := FData[(FHead + Index) mod Capacity];
end;

// Sums the bytes with inline assembler where the target allows it
function Checksum(const Data: array of Byte): Cardinal;
{$IFDEF CPU386}
asm
  push ebx           { keep ebx }
  xor  ebx, ebx
  (* loop over
     the bytes *)
@@next:
  add  bl, [eax]
  inc  eax
  dec  edx
  jnz  @@next
  mov  eax, ebx
  pop  ebx
end;
{$ELSE}
var
  B: Byte;
begin
  Result := 0;
  for B in Data do
    Result := Result + B;
end;
{$ENDIF}

exports
  Checksum name 'ring_checksum' index 3;

initialization
  Assert(SizeOf(Byte) = 1, 'odd platform');
finalization
end.
